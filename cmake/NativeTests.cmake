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

include(cmake/WineTests.cmake)
