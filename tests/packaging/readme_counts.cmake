# The README's counts of natives are the binding's: the declared natives of
# DiskArrayUtilityJNI.java and the ones the built bridge exports.
#   cmake -DREADME=... -DBINDING=... -DLIBRARY=... -DNM=... -P readme_counts.cmake
file(READ "${BINDING}" binding)
string(REGEX MATCHALL "public static native [^(]+ KX_[A-Za-z0-9_]+\\(" declared "${binding}")
list(LENGTH declared declared_count)

execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
  OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1[A-Za-z0-9_]+"
  exported "${symbols}")
list(REMOVE_DUPLICATES exported)
list(LENGTH exported exported_count)

file(READ "${README}" readme)
if(NOT readme MATCHES "([0-9]+) static\n?[ ]*native methods")
  message(FATAL_ERROR "README.md does not say how many static native methods there are")
endif()
set(readme_declared "${CMAKE_MATCH_1}")
if(NOT readme MATCHES "Implemented: [^.]*[ \n]([0-9]+) of ([0-9]+)")
  message(FATAL_ERROR "README.md does not say how many natives are implemented ('Implemented: ... N of M')")
endif()
set(readme_implemented "${CMAKE_MATCH_1}")
set(readme_total "${CMAKE_MATCH_2}")

message(STATUS "binding: ${declared_count} declared, ${exported_count} exported; "
  "README: ${readme_declared} declared, ${readme_implemented} of ${readme_total} implemented")
if(NOT readme_declared EQUAL declared_count OR NOT readme_total EQUAL declared_count
   OR NOT readme_implemented EQUAL exported_count)
  message(FATAL_ERROR "README.md's counts of natives are out of date")
endif()
