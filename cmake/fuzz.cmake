# The fuzz targets under libFuzzer: each tests/fuzz/NAME_fuzz.cpp links the
# real core and headless libraries as NAME_fuzz. bench/fuzz runs them for
# as long as it is asked; the native build's fuzz.NAME entries run each on
# its seeds for a few seconds, so that a harness that no longer builds or
# crashes at once fails the suite.
include(cmake/headless.cmake)

file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
set(FUZZ_TARGETS)
foreach(source IN LISTS FUZZ_TARGET_SOURCES)
  get_filename_component(target ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${target})
  # A target starts from seeds, which also run in every test run.
  file(GLOB seeds ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus/${name}/*)
  if(NOT seeds)
    message(FATAL_ERROR "The fuzz target ${name} has no seeds in tests/fuzz/corpus/${name}")
  endif()
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE scrivlet_replay_script scrivlet_posix_files scrivlet_marks)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  list(APPEND FUZZ_TARGETS ${name})
endforeach()
# bench/fuzz reads which targets there are from here.
list(JOIN FUZZ_TARGETS "\n" FUZZ_TARGET_LINES)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/fuzz-targets.txt CONTENT "${FUZZ_TARGET_LINES}\n")
