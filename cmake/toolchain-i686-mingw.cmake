# Cross-compiles Quillet for 32-bit Windows with MinGW-w64; programs built
# here are run through Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(toolPrefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
