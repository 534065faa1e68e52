# JNI for the 32-bit Windows cross build.
#
# jni.h from the build JDK is platform-neutral; the machine-dependent part
# (jni_md.h: stdcall, 32-bit jint) comes from cmake/win32, since the build JDK
# only ships the Linux one.

set(KX_JNI_INCLUDE_DIRS
    "${CMAKE_CURRENT_LIST_DIR}/win32"
    "${KX_JDK_HOME}/include")
if(NOT EXISTS "${KX_JDK_HOME}/include/jni.h")
  message(FATAL_ERROR "jni.h not found under ${KX_JDK_HOME}/include")
endif()

set(KX_JNI_HEADER
    "${CMAKE_BINARY_DIR}/jni_headers/korvane_str_diskarray_DiskArrayUtilityJNI.h")

# Exports the natives that the bridge objects define, under the names a
# 32-bit JVM looks up, and nothing else.
#   kx_win32_export_natives(<dll target> [OBJECTS <object library>])
# The object library defaults to kxbridge_objects.
function(kx_win32_export_natives target)
  cmake_parse_arguments(arg "" "OBJECTS" "" ${ARGN})
  if(NOT arg_OBJECTS)
    set(arg_OBJECTS kxbridge_objects)
  endif()

  set(object_list "${CMAKE_CURRENT_BINARY_DIR}/${target}_native_objects.txt")
  set(def_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_exports.def")
  file(GENERATE OUTPUT "${object_list}"
       CONTENT "$<JOIN:$<TARGET_OBJECTS:${arg_OBJECTS}>,\n>\n")

  add_custom_command(
    OUTPUT "${def_file}"
    COMMAND "${CMAKE_COMMAND}"
            "-DHEADER=${KX_JNI_HEADER}"
            "-DOBJECT_LIST=${object_list}"
            "-DNM=${CMAKE_NM}"
            "-DDEF_FILE=${def_file}"
            -P "${PROJECT_SOURCE_DIR}/cmake/Win32JniExports.cmake"
    DEPENDS "${PROJECT_SOURCE_DIR}/cmake/Win32JniExports.cmake"
            "${object_list}"
            "$<TARGET_OBJECTS:${arg_OBJECTS}>"
            ${arg_OBJECTS} diskarray_jar
    COMMENT "Listing the JNI exports of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${def_file}")

  # The .def file is the whole export table: no automatic export of other
  # globals, even while the bridge defines no natives yet.
  target_link_options(${target} PRIVATE "-Wl,--exclude-all-symbols")
  # System.loadLibrary("diskarrayjni") looks for diskarrayjni.dll, without
  # MinGW's "lib" prefix.
  set_target_properties(${target} PROPERTIES PREFIX "")
endfunction()

# The record layouts pinned in include/ must hold for the 32-bit target as
# well, whichever headers the bridge and the core happen to include yet: one
# translation unit includes them all, and its static_asserts fail the build.
file(GLOB kx_record_headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/include/*.h")
set(kx_layout_source "${CMAKE_BINARY_DIR}/win32_layout_check.cpp")
set(kx_layout_text "// Generated: compiles every record layout check for 32-bit Windows.\n")
foreach(header IN LISTS kx_record_headers)
  string(APPEND kx_layout_text "#include \"${header}\"\n")
endforeach()
file(CONFIGURE OUTPUT "${kx_layout_source}" CONTENT "${kx_layout_text}" @ONLY)
add_library(kx_win32_layout_check OBJECT "${kx_layout_source}")
target_include_directories(kx_win32_layout_check PRIVATE
  "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/include" ${KX_JNI_INCLUDE_DIRS})
