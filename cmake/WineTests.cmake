# Checks of the cross-built programs: their PE files, and end to end under Wine.
# They read dist/ and the test programs of the "windows" preset, so build that first.
set(WINDOWS_BUILD_DIR "${CMAKE_SOURCE_DIR}/build/windows" CACHE PATH "The windows preset's build folder")
# Debian's interpreter, which has pefile; not whatever python3 comes first.
find_program(SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

set(E2E_ENVIRONMENT
  "VRIM_DIST=${CMAKE_SOURCE_DIR}/dist"
  "VRIM_FIXTURES=${WINDOWS_BUILD_DIR}/fixtures"
  "PYTHONDONTWRITEBYTECODE=1")
# name, test module, Wine architecture: the Wine tests run in a 32-bit prefix
# and again in a 64-bit (WoW64) one.
foreach(test programs:pe:- programs:reproducible:- wine:uninstall:win32 wine:install:win32
             wine:faults:win32
             wine64:uninstall:win64 wine64:install:win64)
  string(REPLACE ":" ";" parts ${test})
  list(GET parts 0 kind)
  list(GET parts 1 module)
  list(GET parts 2 arch)
  add_test(NAME ${kind}_${module}
    COMMAND ${SYSTEM_PYTHON} -m unittest -v test_${module}
    WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}/tests/e2e")
  set_tests_properties(${kind}_${module} PROPERTIES
    ENVIRONMENT "${E2E_ENVIRONMENT};VRIM_WINEARCH=${arch}" TIMEOUT 1200)
endforeach()
