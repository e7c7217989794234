# Host build: the core's unit tests against the recording stand-in, and the
# checks and end-to-end tests of the cross-built programs (run under Wine).
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

option(SANITIZE "Build the unit tests with AddressSanitizer and UBSan" OFF)
if(SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(fake_windows STATIC tests/native/fake_windows.cpp)
target_include_directories(fake_windows PUBLIC setupcore tests/native)
target_compile_options(fake_windows PRIVATE -Wall -Wextra)

add_library(setupcore_native STATIC ${SETUPCORE_SOURCES})
target_include_directories(setupcore_native PUBLIC setupcore)
target_compile_options(setupcore_native PRIVATE -Wall -Wextra -Werror)
target_link_libraries(setupcore_native PUBLIC fake_windows)

add_executable(core_tests
  setup/main.cpp
  tests/native/commandline_test.cpp
  tests/native/install_test.cpp
  tests/native/layout_test.cpp
  tests/native/optional_test.cpp
  tests/native/shortcut_test.cpp
  tests/native/uninstall_test.cpp)
add_executable(uninstall_entry_tests uninstall/main.cpp tests/native/uninstall_entry_test.cpp)
foreach(target core_tests uninstall_entry_tests)
  target_link_libraries(${target} PRIVATE setupcore_native GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${target})
endforeach()

# Fuzz targets (clang's libFuzzer), each run here for a bounded number of
# inputs; scripts/fuzz.sh runs them for longer.
option(FUZZ "Build and run the fuzz targets (needs clang)" OFF)
if(FUZZ)
  set(FUZZ_RUNS_tail 2000000)
  set(FUZZ_RUNS_compose 2000000)
  set(FUZZ_RUNS_procedures 100000)
  foreach(target tail compose procedures)
    add_executable(fuzz_${target} tests/fuzz/${target}_fuzz.cpp)
    target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${target} PRIVATE setupcore_native)
    # New inputs go to the first folder, so the committed seeds stay as they are.
    set(found "${CMAKE_BINARY_DIR}/fuzz-corpus/${target}")
    file(MAKE_DIRECTORY "${found}")
    add_test(NAME fuzz_${target}
      COMMAND fuzz_${target} -runs=${FUZZ_RUNS_${target}} -print_final_stats=1
              "${found}" "${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target}")
  endforeach()
endif()

# The sanitizer build runs the unit tests and fuzzers only; the checks of the
# Windows programs belong to the plain one.
if(NOT SANITIZE)
  include(cmake/WineTests.cmake)
endif()
