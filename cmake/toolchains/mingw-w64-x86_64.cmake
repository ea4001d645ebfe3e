# Cross-build for 64-bit Windows with MinGW-w64 (posix thread model), e.g. from Debian:
#   apt-get install g++-mingw-w64-x86-64-posix
set(ZEFRA_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
