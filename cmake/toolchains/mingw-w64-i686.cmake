# Cross-build for 32-bit Windows with MinGW-w64 (posix thread model), e.g. from Debian:
#   apt-get install g++-mingw-w64-i686-posix
set(ZEFRA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
