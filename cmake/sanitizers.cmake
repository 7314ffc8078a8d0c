# The native unit tests once more, with AddressSanitizer and
# UndefinedBehaviorSanitizer over the core, the replay parser and the tests:
# any report fails the run. The fuzz targets' seed corpora and every input a
# fuzzer ever found also run here, through a plain main(), as regression
# tests; given SCRIVLET_FUZZ_BUILD_DIR, each also runs briefly under
# libFuzzer, and bench/fuzz runs them for longer.
set(SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

get_target_property(CORE_SOURCES scrivlet_core SOURCES)
list(TRANSFORM CORE_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/core/)
set(HEADLESS_SOURCES)
foreach(library scrivlet_posix_files scrivlet_replay_script scrivlet_marks)
  get_target_property(sources ${library} SOURCES)
  list(APPEND HEADLESS_SOURCES ${sources})
endforeach()
add_library(scrivlet_core_sanitized STATIC ${CORE_SOURCES} ${HEADLESS_SOURCES})
target_include_directories(scrivlet_core_sanitized PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_compile_options(scrivlet_core_sanitized PUBLIC ${SANITIZE_FLAGS} PRIVATE -Wall -Wextra)
target_link_options(scrivlet_core_sanitized PUBLIC ${SANITIZE_FLAGS})

add_executable(scrivlet_unit_tests_sanitized ${UNIT_TEST_SOURCES})
target_link_libraries(scrivlet_unit_tests_sanitized PRIVATE scrivlet_core_sanitized GTest::gtest_main)
# The catalogue test's catalogues and sources, as for the plain unit tests.
get_target_property(UNIT_TEST_DEFINITIONS scrivlet_unit_tests COMPILE_DEFINITIONS)
target_compile_definitions(scrivlet_unit_tests_sanitized PRIVATE ${UNIT_TEST_DEFINITIONS})
add_dependencies(scrivlet_unit_tests_sanitized scrivlet_native_catalogues)
add_test(NAME sanitizers.unit_tests COMMAND scrivlet_unit_tests_sanitized)
set_tests_properties(sanitizers.unit_tests PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1")

file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source IN LISTS FUZZ_TARGET_SOURCES)
  get_filename_component(target ${source} NAME_WE)
  add_executable(${target}_corpus ${source} tests/fuzz/corpus_main.cpp)
  target_link_libraries(${target}_corpus PRIVATE scrivlet_core_sanitized)
  target_compile_options(${target}_corpus PRIVATE -Wall -Wextra)
  string(REGEX REPLACE "_fuzz$" "" name ${target})
  add_test(NAME fuzz_corpus.${name}
           COMMAND ${target}_corpus ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  # The same target under libFuzzer, from the fuzz build (cmake --preset fuzz).
  if(SCRIVLET_FUZZ_BUILD_DIR)
    add_test(NAME fuzz.${name}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/run_briefly.sh ${SCRIVLET_FUZZ_BUILD_DIR}/${target}
                     ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus/${name} 5)
  endif()
endforeach()
