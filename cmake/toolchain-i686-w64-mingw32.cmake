# Cross build for 32-bit Windows with Debian's MinGW-w64 toolchain, POSIX
# thread model (the win32 model lacks std::thread and std::mutex).
#
#   cmake -S . -B build-win32 \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(KX_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KX_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${KX_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KX_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_NM ${KX_MINGW_TRIPLET}-nm CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${KX_MINGW_TRIPLET}-objdump CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot only; programs (javac,
# tclsh, the host tools) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The bridge frees a buffer that tesk740.dll allocated, so both DLLs must share
# one C runtime heap: msvcrt.dll. Everything else of the GCC runtime
# (libgcc, libstdc++, winpthread) is linked in statically, so neither DLL drags
# in a MinGW runtime DLL the JVM's process would have to find. -static alone
# reaches winpthread, which g++ adds as -lpthread after everything else;
# msvcrt and KERNEL32 stay dynamic because MinGW has only import libraries
# for them.
set(KX_MINGW_STATIC_RUNTIME "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${KX_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${KX_MINGW_STATIC_RUNTIME}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${KX_MINGW_STATIC_RUNTIME}")
