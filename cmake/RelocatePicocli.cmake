# Moves picocli's classes in a jar into the tool's own package,
# korvane.str.diskarray.cli.picocli, rewriting every reference to them (the
# tool's classes included), so that an application with a picocli of its own
# on the class path can carry diskarray.jar too. Run with cmake -P:
#   JAVA    the java launcher
#   JARJAR  jarjar (Debian package libjarjar-java)
#   JAR_TOOL  the JDK's jar tool
#   JAR     the jar to rewrite in place
# A jar the rewrite fails on is removed, so the next build makes it again
# rather than taking an unrewritten one for up to date.
cmake_minimum_required(VERSION 3.24)

foreach(variable IN ITEMS JAVA JARJAR JAR_TOOL JAR)
  if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
    message(FATAL_ERROR "RelocatePicocli.cmake: ${variable} not set")
  endif()
endforeach()

set(rules "${JAR}.rules")
set(relocated "${JAR}.relocated")
file(WRITE "${rules}" "rule picocli.** korvane.str.diskarray.cli.picocli.@1\n")
execute_process(COMMAND "${JAVA}" -jar "${JARJAR}" process "${rules}" "${JAR}" "${relocated}"
  RESULT_VARIABLE result)
file(REMOVE "${rules}")
if(NOT result EQUAL 0)
  file(REMOVE "${JAR}" "${relocated}")
  message(FATAL_ERROR "RelocatePicocli.cmake: jarjar failed on ${JAR}")
endif()

# jarjar leaves a class it cannot map where it was; none may stay.
execute_process(COMMAND "${JAR_TOOL}" --list --file "${relocated}"
  OUTPUT_VARIABLE entries RESULT_VARIABLE result)
string(REGEX MATCH "(^|\n)picocli/[^\n]*" left "${entries}")
if(NOT result EQUAL 0 OR left)
  file(REMOVE "${JAR}" "${relocated}")
  string(STRIP "${left}" left)
  message(FATAL_ERROR "RelocatePicocli.cmake: ${relocated} is unreadable or keeps ${left}")
endif()
file(RENAME "${relocated}" "${JAR}")
