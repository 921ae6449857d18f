# Shared part of the MinGW-w64 toolchain files. EL_MINGW_TRIPLET names the
# compiler; the posix thread model is needed because the Windows unit tests
# use std::mutex (GoogleTest).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${EL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${EL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${EL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${EL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the Windows test programs under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
