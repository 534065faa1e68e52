# libcurl for the 32-bit Windows build of the core library, which sends mail
# with it.
#
# Debian ships no MinGW build of libcurl, so the core links the static library
# that scripts/prepare-curl.sh cross-builds from Debian's curl source package:
# SMTP only, TLS through Schannel. It needs only Windows system libraries
# (listed in the cache's LIBS file as configure found them).

if(DEFINED ENV{KX_CURL_DIR})
  set(kx_curl_default "$ENV{KX_CURL_DIR}")
elseif(EXISTS "/var/cache/kx-curl/lib/libcurl.a")
  set(kx_curl_default "/var/cache/kx-curl")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(kx_curl_default "$ENV{XDG_CACHE_HOME}/kx-curl")
else()
  set(kx_curl_default "$ENV{HOME}/.cache/kx-curl")
endif()
set(KX_CURL_WIN32_DIR "${kx_curl_default}" CACHE PATH
    "Directory holding the Windows libcurl (lib/libcurl.a, include/curl, LIBS)")

foreach(file lib/libcurl.a include/curl/curl.h LIBS)
  if(NOT EXISTS "${KX_CURL_WIN32_DIR}/${file}")
    message(FATAL_ERROR
      "Windows libcurl not found: ${KX_CURL_WIN32_DIR}/${file}\n"
      "Run scripts/install-deps.sh (or scripts/prepare-curl.sh) to build it, "
      "or point -DKX_CURL_WIN32_DIR at a directory that holds it.")
  endif()
endforeach()

file(STRINGS "${KX_CURL_WIN32_DIR}/LIBS" kx_curl_system_libraries)
# Only import libraries of Windows itself may follow libcurl into the DLL.
foreach(library IN LISTS kx_curl_system_libraries)
  if(NOT library MATCHES "^(ws2_32|crypt32|bcrypt|advapi32|secur32)$")
    message(FATAL_ERROR "The Windows libcurl in ${KX_CURL_WIN32_DIR} needs "
      "${library}, which the core DLL may not import; rebuild it with "
      "scripts/prepare-curl.sh")
  endif()
endforeach()

add_library(kx_curl STATIC IMPORTED)
set_target_properties(kx_curl PROPERTIES
  IMPORTED_LOCATION "${KX_CURL_WIN32_DIR}/lib/libcurl.a"
  INTERFACE_INCLUDE_DIRECTORIES "${KX_CURL_WIN32_DIR}/include"
  # Declarations without __declspec(dllimport): the library is linked in.
  INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
  INTERFACE_LINK_LIBRARIES "${kx_curl_system_libraries}")
