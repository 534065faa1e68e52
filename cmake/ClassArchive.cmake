# Records the tool's class-data archive: one JVM runs
# korvane.str.diskarray.cli.ArchiveTraining (the commonest commands, on a
# throw-away station) from the jar and dumps what it loaded at exit
# (-XX:ArchiveClassesAtExit). The launcher passes the archive to the JVM when
# it lies beside the jar. The JVM ties an archive to the jar's path, size and
# time and to its own build, and ignores one that does not match; so the
# build's archive serves the build tree's jar, and cmake --install records
# another for the installed jar. Run with cmake -P:
#   JAVA       the java launcher
#   JAR        diskarray.jar, where it is run from
#   LIBRARIES  java.library.path for the native libraries
#   OUTPUT     the archive to write (diskarray.jsa beside JAR)
#   STATION    a scratch directory for the station, removed before and after
#   OPTIONAL   ON: a failure leaves no archive and warns; otherwise it is an error
#   PRELOAD    the sanitizer runtimes to preload (a sanitizer build), optional
# The archive is dumped under another name and renamed: the JVM can crash on
# a cut-short archive, so a half-written one must never lie beside the jar.
cmake_minimum_required(VERSION 3.24)

foreach(variable IN ITEMS JAVA JAR LIBRARIES OUTPUT STATION)
  if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
    message(FATAL_ERROR "ClassArchive.cmake: ${variable} not set")
  endif()
endforeach()

if(PRELOAD)
  set(ENV{LD_PRELOAD} "${PRELOAD}")
  set(ENV{ASAN_OPTIONS}
    "detect_leaks=0:handle_segv=0:allow_user_segv_handler=1:detect_stack_use_after_return=0")
endif()

set(partial "${OUTPUT}.partial")
file(REMOVE "${OUTPUT}" "${partial}")
file(REMOVE_RECURSE "${STATION}")
execute_process(
  COMMAND "${JAVA}" "-XX:ArchiveClassesAtExit=${partial}" "-Djava.library.path=${LIBRARIES}"
    -cp "${JAR}" korvane.str.diskarray.cli.ArchiveTraining "${STATION}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
file(REMOVE_RECURSE "${STATION}")

set(problem "")
if(NOT result EQUAL 0)
  set(problem "the training run exited ${result}")
elseif(NOT EXISTS "${partial}")
  set(problem "the JVM wrote no archive")
endif()
if(problem)
  file(REMOVE "${partial}")
  if(OPTIONAL)
    message(WARNING "No class-data archive for ${JAR} (${problem}); the tool starts without one.\n${output}")
    return()
  endif()
  message(FATAL_ERROR "ClassArchive.cmake: ${problem}:\n${output}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
