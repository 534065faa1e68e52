# Writes the .def file of the bridge DLL (run at build time with cmake -P).
#
# A 32-bit Windows JVM binds a static native method by the decorated stdcall
# name _Java_<class>_<method>@N, where N is the byte size of the arguments
# (JNIEnv*, jclass, then the Java arguments). GNU ld cannot produce that name
# from __declspec(dllexport) (it drops the leading underscore), so every
# export is listed here as "_Java_x@N = Java_x@N": the export name verbatim,
# bound to the C symbol Java_x@N, which is _Java_x@N in the object file.
#
# Only natives that the bridge objects define are exported, so the export
# table grows with the bridge; each one must match a declaration in the
# javac -h header, including its argument size.
#
# Inputs (-D): HEADER, OBJECT_LIST (file with one object path per line),
#              NM, DEF_FILE.

foreach(var HEADER OBJECT_LIST NM DEF_FILE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "Win32JniExports.cmake: ${var} is not set")
  endif()
endforeach()

set(prefix "Java_korvane_str_diskarray_DiskArrayUtilityJNI_")

if(NOT EXISTS "${HEADER}")
  message(FATAL_ERROR "JNI header ${HEADER} is missing; the Java build must run first")
endif()
file(READ "${HEADER}" header_text)
string(REGEX MATCHALL "JNICALL[ \t\r\n]+${prefix}[A-Za-z0-9_]+[ \t\r\n]*\\([^)]*\\)"
       prototypes "${header_text}")

# Argument bytes of each declared native: 8 for jlong and jdouble, 4 for
# everything else (pointers, jint, references) on i686.
set(declared)
foreach(prototype IN LISTS prototypes)
  string(REGEX REPLACE "^JNICALL[ \t\r\n]+${prefix}([A-Za-z0-9_]+).*" "\\1" method "${prototype}")
  string(REGEX REPLACE "^[^(]*\\(([^)]*)\\)$" "\\1" params "${prototype}")
  string(REPLACE "," ";" params "${params}")
  set(bytes 0)
  foreach(param IN LISTS params)
    string(STRIP "${param}" param)
    if(param MATCHES "^(jlong|jdouble)$")
      math(EXPR bytes "${bytes} + 8")
    else()
      math(EXPR bytes "${bytes} + 4")
    endif()
  endforeach()
  list(APPEND declared "${method}")
  set("arg_bytes_${method}" "${bytes}")
endforeach()
list(LENGTH declared declared_count)
if(declared_count EQUAL 0)
  message(FATAL_ERROR "No native method declarations found in ${HEADER}")
endif()

file(STRINGS "${OBJECT_LIST}" objects)
set(symbols)
if(objects)
  execute_process(COMMAND "${NM}" -g --defined-only ${objects}
                  OUTPUT_VARIABLE nm_output
                  RESULT_VARIABLE nm_result)
  if(NOT nm_result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on the bridge objects")
  endif()
  string(REGEX MATCHALL "[ \t]T _${prefix}[A-Za-z0-9_@]+" symbols "${nm_output}")
endif()

set(exports)
set(errors)
foreach(symbol IN LISTS symbols)
  string(REGEX REPLACE "^[ \t]T _" "" symbol "${symbol}")
  if(NOT symbol MATCHES "^${prefix}([A-Za-z0-9_]+)@([0-9]+)$")
    string(APPEND errors "\n  ${symbol}: not stdcall (defined without JNICALL?)")
    continue()
  endif()
  set(method "${CMAKE_MATCH_1}")
  set(bytes "${CMAKE_MATCH_2}")
  if(NOT DEFINED "arg_bytes_${method}")
    message(WARNING "${prefix}${method} is defined in the bridge but not declared "
                    "in DiskArrayUtilityJNI; it is not exported")
    continue()
  endif()
  if(NOT bytes EQUAL "${arg_bytes_${method}}")
    string(APPEND errors "\n  ${symbol}: the Java declaration takes ${arg_bytes_${method}} bytes of arguments")
    continue()
  endif()
  list(APPEND exports "_${symbol} = ${symbol}")
endforeach()
if(errors)
  message(FATAL_ERROR "Bridge natives that a 32-bit JVM could not call:${errors}")
endif()

list(REMOVE_DUPLICATES exports)
list(SORT exports)
list(LENGTH exports export_count)
string(REPLACE ";" "\n" export_lines "${exports}")
file(WRITE "${DEF_FILE}.tmp" "EXPORTS\n${export_lines}\n")
file(RENAME "${DEF_FILE}.tmp" "${DEF_FILE}")
message(STATUS "Bridge exports ${export_count} of ${declared_count} native methods")
