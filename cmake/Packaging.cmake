# What a user runs and what cmake --install puts in place:
#   java/diskarray.jar   one jar that runs with java -jar and no library path:
#                        the classes plus the native libraries it extracts
#                        when they are not on java.library.path
#                        (korvane.str.diskarray.NativeLibraries)
#   diskarray            a launcher for the build tree
#   javadoc              the Java API's documentation, java/javadoc/
#   diskarray.1          the manual page, made by the tool from its command table
#   java/diskarray.jsa   the tool's class-data archive, for a faster start
#   install              bin/diskarray, lib/ (core and bridge),
#                        share/java/diskarray.jar and diskarray.jsa,
#                        share/man/man1/diskarray.1
# Included by the top-level CMakeLists.txt after java/, core/ and bridge/.

# The 32-bit Windows libraries join the jar when this names a cross build
# directory (cmake/toolchain-i686-w64-mingw32.cmake) whose DLLs are built
# before this build's jar: scripts/package-jar.sh, which scripts/test.sh runs
# after both builds, sets it and rebuilds the jar.
set(KX_WIN32_BUILD_DIR "" CACHE PATH
  "32-bit Windows cross build whose tesk740.dll and diskarrayjni.dll go into diskarray.jar")

set(KX_INSTALL_BINDIR bin)
set(KX_INSTALL_LIBDIR lib)
set(KX_INSTALL_JARDIR share/java)
set(KX_INSTALL_SYSTEMDDIR lib/systemd/system)
set(KX_INSTALL_MANDIR share/man/man1)

# Installed, and in the jar's extraction folder, the bridge finds the core
# beside itself: its RUNPATH is rewritten to $ORIGIN in place (the build
# tree's absolute one is longer). CMake's own INSTALL_RPATH is not used: it
# makes CMake end the build tree's RUNPATH with an empty entry, which the
# loader reads as the current directory.

# --- The self-contained jar -------------------------------------------------
get_target_property(kx_classes_jar diskarray_jar JAR_FILE)
set(KX_TOOL_JAR "${CMAKE_BINARY_DIR}/java/diskarray.jar")
set(kx_win32_dlls)
if(KX_WIN32_BUILD_DIR)
  get_filename_component(KX_WIN32_BUILD_DIR "${KX_WIN32_BUILD_DIR}" ABSOLUTE
    BASE_DIR "${CMAKE_BINARY_DIR}")
  set(kx_win32_dlls "${KX_WIN32_BUILD_DIR}/core/tesk740.dll"
    "${KX_WIN32_BUILD_DIR}/bridge/diskarrayjni.dll")
  find_program(KX_WIN32_STRIP i686-w64-mingw32-strip)
  if(NOT KX_WIN32_STRIP)
    set(KX_WIN32_STRIP "")
  endif()
endif()
add_custom_command(OUTPUT "${KX_TOOL_JAR}"
  COMMAND "${CMAKE_COMMAND}"
    "-DCLASSES_JAR=${kx_classes_jar}"
    "-DOUTPUT=${KX_TOOL_JAR}"
    "-DJAR=${Java_JAR_EXECUTABLE}"
    "-DSTAGE=${CMAKE_BINARY_DIR}/java/jar-natives"
    "-DLINUX_LIBS=$<TARGET_FILE:tesk740>;$<TARGET_FILE:diskarrayjni>"
    "-DSTRIP=${CMAKE_STRIP}"
    "-DWIN32_DIR=${KX_WIN32_BUILD_DIR}"
    "-DWIN32_STRIP=${KX_WIN32_STRIP}"
    -P "${PROJECT_SOURCE_DIR}/cmake/PackJar.cmake"
  DEPENDS "${PROJECT_SOURCE_DIR}/cmake/PackJar.cmake" "${kx_classes_jar}"
    diskarray_jar tesk740 diskarrayjni ${kx_win32_dlls}
  COMMENT "Adding the native libraries to diskarray.jar"
  VERBATIM)
add_custom_target(diskarray_tool_jar ALL DEPENDS "${KX_TOOL_JAR}")

# --- The class-data archive -------------------------------------------------
# diskarray.jsa beside the jar: the classes the commonest commands load,
# mapped ready-made by the JVM at start (cmake/ClassArchive.cmake). The
# launchers use it when it is there; the JVM ignores it when it is not this
# jar's or this JVM's.
# In a sanitizer build the libraries the training run loads need the
# sanitizer runtimes loaded first, as in the tests (tests/java).
set(kx_archive_preload "")
if(KX_SANITIZE)
  foreach(runtime IN ITEMS libasan.so libubsan.so)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${runtime}
      OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    list(APPEND kx_archive_preload "${runtime_path}")
  endforeach()
  list(JOIN kx_archive_preload ":" kx_archive_preload)
endif()
set(KX_TOOL_ARCHIVE "${CMAKE_BINARY_DIR}/java/diskarray.jsa")
add_custom_command(OUTPUT "${KX_TOOL_ARCHIVE}"
  COMMAND "${CMAKE_COMMAND}"
    "-DPRELOAD=${kx_archive_preload}"
    "-DJAVA=${Java_JAVA_EXECUTABLE}"
    "-DJAR=${KX_TOOL_JAR}"
    "-DLIBRARIES=$<TARGET_FILE_DIR:diskarrayjni>:$<TARGET_FILE_DIR:tesk740>"
    "-DOUTPUT=${KX_TOOL_ARCHIVE}"
    "-DSTATION=${CMAKE_BINARY_DIR}/java/archive-station"
    -P "${PROJECT_SOURCE_DIR}/cmake/ClassArchive.cmake"
  DEPENDS "${PROJECT_SOURCE_DIR}/cmake/ClassArchive.cmake" "${KX_TOOL_JAR}" diskarray_tool_jar
  COMMENT "Recording the tool's class-data archive diskarray.jsa"
  VERBATIM)
add_custom_target(diskarray_class_archive ALL DEPENDS "${KX_TOOL_ARCHIVE}")

# --- Launchers ----------------------------------------------------------------
# kx_launcher(<output> <note> <shell lines setting $libraries and $jar>)
function(kx_launcher output note locate)
  set(KX_LAUNCHER_NOTE "${note}")
  set(KX_LAUNCHER_LOCATE "${locate}")
  set(KX_LAUNCHER_JAVA "${Java_JAVA_EXECUTABLE}")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/diskarray-launcher.sh.in" "${output}"
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()

# The build tree's launcher: build/diskarray. configure_file does not expand
# the library folders' generator expressions; file(GENERATE) does.
kx_launcher("${CMAKE_BINARY_DIR}/java/diskarray-build.in"
  "This one runs the build tree's jar."
  "libraries='$<TARGET_FILE_DIR:diskarrayjni>:$<TARGET_FILE_DIR:tesk740>'
jar='${KX_TOOL_JAR}'")
file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/diskarray"
  INPUT "${CMAKE_BINARY_DIR}/java/diskarray-build.in"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
  WORLD_READ WORLD_EXECUTE)

# The installed launcher finds the tree from its own location, so an
# installed tree can be moved whole (or staged with DESTDIR).
kx_launcher("${CMAKE_BINARY_DIR}/install/diskarray"
  "This one is installed in bin/ and finds lib/ and share/java/ beside it."
  "prefix=$(cd \"$(dirname \"$(readlink -f \"$0\")\")/..\" && pwd)
libraries=\"$prefix/${KX_INSTALL_LIBDIR}\"
jar=\"$prefix/${KX_INSTALL_JARDIR}/diskarray.jar\"")

install(PROGRAMS "$<TARGET_FILE:tesk740>" "$<TARGET_FILE:diskarrayjni>"
  DESTINATION "${KX_INSTALL_LIBDIR}")
install(CODE "file(RPATH_SET
  FILE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KX_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:diskarrayjni>\"
  NEW_RPATH \"\$ORIGIN\")")
install(FILES "${KX_TOOL_JAR}" DESTINATION "${KX_INSTALL_JARDIR}")
install(PROGRAMS "${CMAKE_BINARY_DIR}/install/diskarray" DESTINATION "${KX_INSTALL_BINDIR}")
# The installed jar's class-data archive is recorded from the installed jar
# and libraries: the JVM takes an archive only for the jar path it was made
# with, so the build's one would be ignored here. Staged into DESTDIR, the
# jar is not yet where it will run from: no archive then (the tool starts
# without one). A failure only warns, for the same reason.
install(CODE "
  set(kx_jar \"\${CMAKE_INSTALL_PREFIX}/${KX_INSTALL_JARDIR}/diskarray.jar\")
  set(kx_archive \"\${CMAKE_INSTALL_PREFIX}/${KX_INSTALL_JARDIR}/diskarray.jsa\")
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    message(STATUS \"Recording: \${kx_archive}\")
    # The launcher runs the jar by its path with every symbolic link resolved.
    file(REAL_PATH \"\${kx_jar}\" kx_jar)
    execute_process(COMMAND \"${CMAKE_COMMAND}\" \"-DJAVA=${Java_JAVA_EXECUTABLE}\"
      \"-DPRELOAD=${kx_archive_preload}\"
      \"-DJAR=\${kx_jar}\" \"-DLIBRARIES=\${CMAKE_INSTALL_PREFIX}/${KX_INSTALL_LIBDIR}\"
      \"-DOUTPUT=\${kx_archive}\" -DOPTIONAL=ON
      \"-DSTATION=${CMAKE_BINARY_DIR}/java/install-archive-station\"
      -P \"${PROJECT_SOURCE_DIR}/cmake/ClassArchive.cmake\")
  else()
    file(REMOVE \"\$ENV{DESTDIR}\${kx_archive}\")
    message(STATUS \"Not recording \${kx_archive} under DESTDIR: the tool starts without it\")
  endif()")
# The MIB of the units' SNMP traps, where net-snmp's tools look for MIBs.
install(FILES "${PROJECT_SOURCE_DIR}/docs/KX-DISKARRAY-MIB.txt" DESTINATION share/snmp/mibs)
# The monitor's systemd unit names the installed launcher by its full path,
# so it is written at install time, for the prefix installed into.
install(CODE "
  set(KX_INSTALLED_TOOL \"\${CMAKE_INSTALL_PREFIX}/${KX_INSTALL_BINDIR}/diskarray\")
  set(unit_file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KX_INSTALL_SYSTEMDDIR}/diskarray-monitor@.service\")
  message(STATUS \"Installing: \${unit_file}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/cmake/diskarray-monitor@.service.in\"
    \"\${unit_file}\" @ONLY)")

# --- The manual page ------------------------------------------------------------
set(KX_MAN_PAGE "${CMAKE_BINARY_DIR}/diskarray.1")
add_custom_command(OUTPUT "${KX_MAN_PAGE}"
  COMMAND "${CMAKE_COMMAND}" "-DJAVA=${Java_JAVA_EXECUTABLE}" "-DJAR=${KX_TOOL_JAR}"
    "-DOUTPUT=${KX_MAN_PAGE}" -P "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
  DEPENDS "${KX_TOOL_JAR}" "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
  COMMENT "Writing the manual page diskarray.1")
add_custom_target(diskarray_man_page ALL DEPENDS "${KX_MAN_PAGE}")
install(FILES "${KX_MAN_PAGE}" DESTINATION "${KX_INSTALL_MANDIR}")

# --- Javadoc ------------------------------------------------------------------
# The API of package korvane.str.diskarray (the tool's package is not API).
# Every warning fails the build. The record classes' public fields carry no
# comment of their own (their class says what they hold), so the full run
# leaves out the "missing comment" check; the first run applies every check,
# that one included, to the natives and the loader.
find_program(KX_JAVADOC javadoc HINTS "${KX_JDK_HOME}/bin" NO_DEFAULT_PATH)
set(kx_javadoc_dir "${CMAKE_BINARY_DIR}/java/javadoc")
set(kx_javadoc_sourcepath "${PROJECT_SOURCE_DIR}/java/src:${CMAKE_BINARY_DIR}/java/generated")
set(kx_javadoc_strict
  "${PROJECT_SOURCE_DIR}/java/src/korvane/str/diskarray/DiskArrayUtilityJNI.java"
  "${PROJECT_SOURCE_DIR}/java/src/korvane/str/diskarray/NativeLibraries.java")
file(GLOB kx_api_sources CONFIGURE_DEPENDS
  "${PROJECT_SOURCE_DIR}/java/src/korvane/str/diskarray/*.java")
add_custom_command(OUTPUT "${kx_javadoc_dir}/index.html"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${kx_javadoc_dir}" "${kx_javadoc_dir}-strict"
  COMMAND "${KX_JAVADOC}" -quiet -Werror -Xdoclint:all -encoding UTF-8
    -sourcepath "${kx_javadoc_sourcepath}" -d "${kx_javadoc_dir}-strict"
    ${kx_javadoc_strict}
  COMMAND "${KX_JAVADOC}" -quiet -Werror -Xdoclint:all,-missing -encoding UTF-8
    -sourcepath "${kx_javadoc_sourcepath}" -d "${kx_javadoc_dir}"
    -doctitle "diskarray Java API" -windowtitle "diskarray Java API"
    korvane.str.diskarray
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${kx_javadoc_dir}-strict"
  DEPENDS ${kx_api_sources} diskarray_jar
  COMMENT "Javadoc of the Java API (java/javadoc)"
  VERBATIM)
add_custom_target(javadoc ALL DEPENDS "${kx_javadoc_dir}/index.html")
