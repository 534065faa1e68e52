# Release builds of the Windows DLLs ship without their debug information
# (the bridge and the core are tens of MB with it): after the link the DWARF
# sections go to NAME.dll.debug beside the DLL, and the DLL keeps only a
# .gnu_debuglink to that file, so gdb (also under wine) still finds them.
# Debug builds keep everything in the DLL.
function(kx_win32_split_debug_info target)
  if(NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    return()
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "no objcopy for the Windows toolchain: install binutils-mingw-w64-i686")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_OBJCOPY}" --only-keep-debug "$<TARGET_FILE:${target}>"
      "$<TARGET_FILE:${target}>.debug"
    COMMAND "${CMAKE_OBJCOPY}" --strip-debug
      "--add-gnu-debuglink=$<TARGET_FILE:${target}>.debug" "$<TARGET_FILE:${target}>"
    WORKING_DIRECTORY "$<TARGET_FILE_DIR:${target}>"
    COMMENT "Moving the debug information of ${target} to $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
