# Shared by the two mingw-w64 toolchains; the including file sets RALIMET_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)
# The posix threading flavour: GoogleTest needs std::mutex, which the win32 flavour of GCC 12 lacks.
# Linked statically, it adds no DLL.
set(CMAKE_C_COMPILER   ${RALIMET_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RALIMET_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${RALIMET_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RALIMET_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
