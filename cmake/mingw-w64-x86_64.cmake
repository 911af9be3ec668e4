# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix): the POSIX
# thread model, which std::thread and std::mutex need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(qx_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${qx_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${qx_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${qx_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${qx_mingw})
# Programs (moc, code generators) come from the build machine; libraries and headers from the
# target's root, or from a path given on the command line.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
