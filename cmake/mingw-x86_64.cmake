# 64-bit Windows (x86_64): never shipped; it runs the Wine tests where Wine
# cannot start 32-bit programs (preset windows64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
