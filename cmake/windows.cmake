# The Windows build (MinGW-w64, usually cross-compiled from Linux with
# cmake/mingw-w64-x86_64.cmake): wide-character command line, GoogleTest
# built from source, and the tests run under Wine when cross-compiling.
# Included by the top-level CMakeLists.txt before the test targets.

# wmain receives the arguments as UTF-16, whatever the console's code page.
target_link_options(jasscribe PRIVATE -municode)

# A cross build finds no GoogleTest for its target; Debian's googletest
# package ships the sources, built here with the project's compiler.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(JASSCRIBE_GTEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources")
  if(NOT EXISTS ${JASSCRIBE_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest for Windows: install Debian's googletest package "
                        "or set JASSCRIBE_GTEST_SOURCE")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${JASSCRIBE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its warnings are not ours to fix, and -Werror must not stop the build.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

if(CMAKE_CROSSCOMPILING)
  # Every test runs under Wine in a prefix of its own inside the build folder,
  # with no display and without Wine's .NET and browser installers.
  find_program(JASSCRIBE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
  find_program(JASSCRIBE_WINE NAMES wine64 wine)
  if(NOT JASSCRIBE_WINE)
    message(FATAL_ERROR "The Windows tests need Wine (Debian: wine64)")
  endif()
  set(JASSCRIBE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${JASSCRIBE_WINEPREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= ${JASSCRIBE_WINE})
  # Wine shows the Linux file system as drive Z:, so the paths the tests are
  # built with name the same files from inside Windows.
  set(JASSCRIBE_TEST_EXE "Z:$<TARGET_FILE:jasscribe>")
  set(JASSCRIBE_TEST_SOURCE_DIR "Z:${CMAKE_CURRENT_SOURCE_DIR}")
  set(JASSCRIBE_TEST_SHARED_DIR "Z:${JASSCRIBE_SHARED}")
  # One Wine start per test binary instead of one per test keeps the run short.
  set(JASSCRIBE_TEST_PER_BINARY ON)
endif()

# The outputs of the Linux build given here and of this build are compared
# byte for byte for every script of the corpus.
set(JASSCRIBE_LINUX_EXE "" CACHE FILEPATH "A Linux build's jasscribe, to compare outputs with")
if(CMAKE_CROSSCOMPILING AND JASSCRIBE_LINUX_EXE AND EXISTS ${JASSCRIBE_SHARED}/corpus)
  add_test(NAME windows_outputs_match_linux
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/same_outputs.sh ${JASSCRIBE_LINUX_EXE}
            $<TARGET_FILE:jasscribe> ${JASSCRIBE_SHARED}/corpus ${CMAKE_BINARY_DIR}/same_outputs)
  set_tests_properties(windows_outputs_match_linux PROPERTIES LABELS windows TIMEOUT 600
    ENVIRONMENT "WINEPREFIX=${JASSCRIBE_WINEPREFIX};WINEDEBUG=-all;\
WINEDLLOVERRIDES=mscoree,mshtml=;JASSCRIBE_WINE=${JASSCRIBE_WINE}")
endif()
