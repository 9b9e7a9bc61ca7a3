# Cross-compiling for Windows with Debian's mingw-w64, win32-threads variant:
# the posix-threads one links winpthreads, which imports GetTickCount64 and so
# needs Vista; these programs must start on XP SP3. GCC 12 has no std::thread
# or std::mutex in this variant: use Win32 threads.
# Included by mingw-i686.cmake (the shipped programs) and mingw-x86_64.cmake
# (the same sources for the Wine tests on a machine that runs no 32-bit
# programs), each of which sets CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(kelvarion_mingw_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${kelvarion_mingw_triplet}-gcc-win32)
set(CMAKE_CXX_COMPILER ${kelvarion_mingw_triplet}-g++-win32)
set(CMAKE_RC_COMPILER ${kelvarion_mingw_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${kelvarion_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
