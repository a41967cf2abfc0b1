# Cross-build for 32-bit Windows with MinGW-w64; tests run under Wine.
set(mingw_target i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
