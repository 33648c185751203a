# Cross-compiles the same sources for 64-bit Windows with MinGW-w64. This
# build exists only to test Quillet where 32-bit programs cannot start; the
# product is the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(toolPrefix x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
