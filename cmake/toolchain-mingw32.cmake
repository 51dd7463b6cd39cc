set(RALIMET_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# The i686 programs run here under Wine's 32-bit loader, emulated by qemu-i386 in a namespace of
# their own (wine32-namespace): ctest starts them through the runner. Emulated code runs up to ten
# times slower, so each test gets more time.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine32-run)
set(RALIMET_TEST_TIME_SCALE 3)
