# 32-bit Linux binaries cannot execute on these machines, so the i686 build is compiled and linked
# only: no emulator, no tests registered.
set(RALIMET_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
