# GoogleTest for the platform being built, and test registration that never hangs a run.
include(GoogleTest)

if(WIN32 OR CMAKE_CROSSCOMPILING)
  # Debian's libgtest-dev is a library for x86_64 Linux: for Windows and for 32-bit Linux, build
  # GoogleTest from its sources with the build's own compiler instead.
  if(NOT TARGET gtest)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_compile_options(gtest PRIVATE -w)
    target_compile_options(gtest_main PRIVATE -w)
  endif()
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# Registers each test of a GoogleTest program with ctest. Discovery runs at test time, so building
# never starts Wine; a Windows build with no emulator registers nothing. Windows tests share one
# desktop (focus, the active window, the keyboard state), so they take turns. Each test may run
# for 120 seconds unless TIMEOUT gives it longer, times the toolchain's RALIMET_TEST_TIME_SCALE
# where the programs are emulated.
function(ralimet_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  if(RALIMET_TEST_TIME_SCALE)
    math(EXPR arg_TIMEOUT "${arg_TIMEOUT} * ${RALIMET_TEST_TIME_SCALE}")
  endif()
  if(WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  set(lock)
  if(WIN32)
    set(lock RESOURCE_LOCK wine_desktop)
    add_dependencies(${target} desktop_keeper)  # the runner holds the desktop up with it
  endif()
  # A test that keeps time of its own (the random walk) scales it alike.
  set(scale)
  if(RALIMET_TEST_TIME_SCALE)
    set(scale ENVIRONMENT RALIMET_TEST_TIME_SCALE=${RALIMET_TEST_TIME_SCALE})
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT ${arg_TIMEOUT} ${lock} ${scale})
endfunction()
