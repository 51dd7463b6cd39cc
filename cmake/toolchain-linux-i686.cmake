# The portable core as a 32-bit x86 Linux program, so that its arithmetic is checked on the
# processor the i686 Windows program runs on. These machines cannot execute 32-bit programs
# directly: a static one runs under user-mode emulation (Debian's qemu-user-static), and ctest
# runs each test program through it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
# Static: the emulator then needs no 32-bit loader or libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386-static)
