# The two shipped programs, CRT-free, and the Windows programs the tests and the
# demo use beside them.
enable_language(RC)

set(DIST_DIR "${CMAKE_SOURCE_DIR}/dist" CACHE PATH "Where Setup.exe and Uninstall.exe go")

# No runtime, no unwind tables, no hidden library calls: what the programs do is
# what the sources say.
set(PROGRAM_COMPILE_OPTIONS
  -Os -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -fno-unwind-tables -fno-stack-protector -fno-tree-loop-distribute-patterns
  -fno-threadsafe-statics -ffunction-sections -fdata-sections -fno-ident
  -Wall -Wextra -Werror)
set(PROGRAM_LINK_OPTIONS
  -nostdlib -s -Wl,-e,_EntryPoint -Wl,--subsystem,windows:4.0
  -Wl,--gc-sections -Wl,--no-insert-timestamp -Wl,--file-alignment,512
  -Wl,--build-id=none -Wl,--disable-reloc-section -Wl,--disable-dynamicbase)

add_library(setupcore STATIC ${SETUPCORE_SOURCES} setupcore/startup.cpp)
target_include_directories(setupcore PUBLIC setupcore)
target_compile_options(setupcore PRIVATE ${PROGRAM_COMPILE_OPTIONS})
# Static libgcc for the stack probe of frames over a page; the rest are the
# four system DLLs.
target_link_libraries(setupcore PUBLIC kernel32 user32 shell32 ole32 gcc)

# windres reads the icon, but no dependency scan sees it.
set_source_files_properties(resources/icon.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/vrim.ico")
foreach(program Setup Uninstall)
  string(TOLOWER ${program} folder)
  add_executable(${program} WIN32 ${folder}/main.cpp resources/icon.rc)
  target_compile_options(${program} PRIVATE ${PROGRAM_COMPILE_OPTIONS})
  target_link_options(${program} PRIVATE ${PROGRAM_LINK_OPTIONS})
  target_link_libraries(${program} PRIVATE setupcore)
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${DIST_DIR}")
endforeach()

# The benchmark's floors, built the same way: never shipped.
foreach(program floor bare_install bare_uninstall)
  add_executable(${program} WIN32 tests/bench/${program}.cpp)
  target_compile_options(${program} PRIVATE ${PROGRAM_COMPILE_OPTIONS})
  target_link_options(${program} PRIVATE ${PROGRAM_LINK_OPTIONS})
  target_include_directories(${program} PRIVATE setupcore)
  target_link_libraries(${program} PRIVATE kernel32 user32 shell32 ole32 gcc)
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
endforeach()
target_sources(floor PRIVATE resources/icon.rc)

# Checksums for a packager's `sha256sum -c`; the build is reproducible, so any
# rebuild of the same source must match them.
add_custom_command(OUTPUT "${DIST_DIR}/SHA256SUMS"
  COMMAND ${CMAKE_COMMAND} -DDIR=${DIST_DIR} "-DFILES=Setup.exe;Uninstall.exe"
          -P "${CMAKE_SOURCE_DIR}/cmake/Checksums.cmake"
  DEPENDS Setup Uninstall "${CMAKE_SOURCE_DIR}/cmake/Checksums.cmake"
  VERBATIM)
add_custom_target(checksums ALL DEPENDS "${DIST_DIR}/SHA256SUMS")

# Test and demo programs: ordinary MinGW programs, never shipped.
foreach(fixture vrim_app box_helper launch)
  add_executable(${fixture} tests/fixtures/${fixture}.cpp)
  target_link_options(${fixture} PRIVATE -static -s)
  target_compile_options(${fixture} PRIVATE -Wall -Wextra)
  set_target_properties(${fixture} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fixtures")
endforeach()
set_target_properties(vrim_app PROPERTIES OUTPUT_NAME Vrim WIN32_EXECUTABLE ON)
