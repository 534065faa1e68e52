# Argon2 for the 32-bit Windows build of the core library.
#
# Debian ships no MinGW build of libargon2, so the core links a static library
# compiled from the reference sources that scripts/prepare-argon2.sh takes
# from Debian's source packages. Single-threaded: the station hashes with one
# lane.

if(DEFINED ENV{KX_ARGON2_DIR})
  set(kx_argon2_default "$ENV{KX_ARGON2_DIR}")
elseif(EXISTS "/var/cache/kx-argon2/argon2.c")
  set(kx_argon2_default "/var/cache/kx-argon2")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(kx_argon2_default "$ENV{XDG_CACHE_HOME}/kx-argon2")
else()
  set(kx_argon2_default "$ENV{HOME}/.cache/kx-argon2")
endif()
set(KX_ARGON2_SOURCE_DIR "${kx_argon2_default}" CACHE PATH
    "Directory holding the Argon2 reference sources (argon2.c, argon2.h, ...)")

if(NOT EXISTS "${KX_ARGON2_SOURCE_DIR}/argon2.c")
  message(FATAL_ERROR
    "Argon2 sources not found in ${KX_ARGON2_SOURCE_DIR}\n"
    "Run scripts/install-deps.sh (or scripts/prepare-argon2.sh) to extract them, "
    "or point -DKX_ARGON2_SOURCE_DIR at a directory that holds them.")
endif()

add_library(kx_argon2 STATIC
  "${KX_ARGON2_SOURCE_DIR}/argon2.c"
  "${KX_ARGON2_SOURCE_DIR}/core.c"
  "${KX_ARGON2_SOURCE_DIR}/encoding.c"
  "${KX_ARGON2_SOURCE_DIR}/ref.c"
  "${KX_ARGON2_SOURCE_DIR}/thread.c"
  "${KX_ARGON2_SOURCE_DIR}/blake2/blake2b.c")
target_include_directories(kx_argon2 SYSTEM PUBLIC "${KX_ARGON2_SOURCE_DIR}")
target_compile_definitions(kx_argon2 PRIVATE ARGON2_NO_THREADS)
