# The same sources as 64-bit Windows programs. Used to run the Windows and
# end-to-end tests on machines whose kernel cannot run 32-bit processes (and so
# not 32-bit Wine); nothing from this build ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(EL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
