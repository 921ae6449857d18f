# The shipping build: 32-bit Windows programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(EL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
