# Writes the manual page diskarray(1) as the tool makes it from its command
# table ('diskarray help --man'), so the page and the tool cannot disagree.
# Usage: cmake -DJAVA=... -DJAR=... -DOUTPUT=... -P ManPage.cmake
execute_process(
  COMMAND "${JAVA}" -jar "${JAR}" help --man
  OUTPUT_FILE "${OUTPUT}.tmp"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${OUTPUT}.tmp")
  message(FATAL_ERROR "diskarray help --man exited with ${status}")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
