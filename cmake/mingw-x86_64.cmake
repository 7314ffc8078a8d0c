# Cross-compiles a 64-bit build of the same sources. It exists for testing
# on hosts whose kernel cannot run 32-bit code, where only 64-bit Wine works.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
