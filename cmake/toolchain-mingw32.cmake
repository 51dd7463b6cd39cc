# 32-bit Linux binaries cannot execute on these machines (so no wine32), so the i686 build is
# compiled and linked only: no emulator, no tests registered. Its arithmetic is checked by the
# native32 preset, the core built for the same processor and run under user-mode emulation.
set(RALIMET_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
