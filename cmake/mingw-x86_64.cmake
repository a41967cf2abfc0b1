# Cross-build for 64-bit Windows with MinGW-w64: the same program for machines whose kernel cannot run
# 32-bit programs under Wine, where the tests use it in place of the 32-bit build.
set(mingw_target x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
