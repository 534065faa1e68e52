# Makes the self-contained jar: the classes jar with the native libraries
# added under korvane/str/diskarray/native/<platform>/, where
# korvane.str.diskarray.NativeLibraries looks for them. Run with cmake -P:
#   CLASSES_JAR  the jar javac made (classes, manifest with the main class)
#   OUTPUT       the jar to write
#   JAR          the JDK's jar tool
#   STAGE        a scratch directory
#   LINUX_LIBS   the core and the bridge built for linux-x86_64 (;-list)
#   STRIP        strip for those, optional
#   WIN32_DIR    a 32-bit Windows cross build directory, optional
#   WIN32_STRIP  strip for its DLLs, optional
# The copies in the jar lose their debugging sections (the build's own
# libraries keep them), and the bridge's RUNPATH becomes $ORIGIN: the
# extraction folder holds the core beside it.
cmake_minimum_required(VERSION 3.24)

foreach(variable IN ITEMS CLASSES_JAR OUTPUT JAR STAGE LINUX_LIBS)
  if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
    message(FATAL_ERROR "PackJar.cmake: ${variable} not set")
  endif()
endforeach()

set(root "korvane/str/diskarray/native")
file(REMOVE_RECURSE "${STAGE}")

# stage_libraries(<platform> <strip> <file>...)
function(stage_libraries platform strip)
  set(directory "${STAGE}/${root}/${platform}")
  file(MAKE_DIRECTORY "${directory}")
  foreach(library IN LISTS ARGN)
    if(NOT EXISTS "${library}")
      message(FATAL_ERROR "PackJar.cmake: ${library} is missing")
    endif()
    get_filename_component(name "${library}" NAME)
    file(COPY_FILE "${library}" "${directory}/${name}")
    if(strip)
      execute_process(COMMAND "${strip}" --strip-debug "${directory}/${name}"
        RESULT_VARIABLE result)
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "PackJar.cmake: ${strip} failed on ${name}")
      endif()
    endif()
  endforeach()
endfunction()

stage_libraries(linux-x86_64 "${STRIP}" ${LINUX_LIBS})
file(GLOB bridge "${STAGE}/${root}/linux-x86_64/libdiskarrayjni.so")
file(RPATH_SET FILE "${bridge}" NEW_RPATH "$ORIGIN")
if(WIN32_DIR)
  stage_libraries(windows-x86 "${WIN32_STRIP}"
    "${WIN32_DIR}/core/tesk740.dll" "${WIN32_DIR}/bridge/diskarrayjni.dll")
endif()

# Written beside the output and renamed, so an interrupted build never leaves
# a jar without its libraries.
set(partial "${OUTPUT}.partial")
file(COPY_FILE "${CLASSES_JAR}" "${partial}")
execute_process(COMMAND "${JAR}" --update --file "${partial}" -C "${STAGE}" korvane
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${partial}")
  message(FATAL_ERROR "PackJar.cmake: adding the libraries to the jar failed")
endif()
file(RENAME "${partial}" "${OUTPUT}")
