# Native build: unit tests of the core, headless tools, benchmarks, and the
# ctest entries that run a Windows build's programs under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)

# Event-script replay: the library is shared by the tool and the unit tests.
add_library(scrivlet_replay_script STATIC tools/replay/replay_script.cpp)
target_link_libraries(scrivlet_replay_script PUBLIC scrivlet_core)
target_compile_options(scrivlet_replay_script PRIVATE -Wall -Wextra)
add_executable(scrivlet-replay tools/replay/main.cpp)
target_link_libraries(scrivlet-replay PRIVATE scrivlet_replay_script)
target_compile_options(scrivlet-replay PRIVATE -Wall -Wextra)

# Throughput figures of the core; run by hand, not by ctest.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(scrivlet_bench bench/replay_bench.cpp)
  target_link_libraries(scrivlet_bench PRIVATE scrivlet_replay_script benchmark::benchmark)
endif()

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(scrivlet_unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(scrivlet_unit_tests PRIVATE scrivlet_core scrivlet_replay_script GTest::gtest_main)
gtest_discover_tests(scrivlet_unit_tests DISCOVERY_TIMEOUT 30)

# scrivlet-replay against scripts whose output was derived by hand.
set(REPLAY_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/replay)
add_test(NAME replay_all_events
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/all-events.script
                 -DSTATUS=0 -DEXPECTED=${REPLAY_TESTS}/all-events.expected -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_all_events_from_standard_input
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSTDIN=${REPLAY_TESTS}/all-events.script
                 -DSTATUS=0 -DEXPECTED=${REPLAY_TESTS}/all-events.expected -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_missing_file_exits_1
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/no-such.script
                 -DSTATUS=1 "-DERROR_PATTERN=cannot read \".*no-such\\.script\": No such file"
                 -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_bad_line_exits_2
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/bad-line.script
                 -DSTATUS=2 -DEXPECTED=${REPLAY_TESTS}/bad-line.expected
                 "-DERROR_PATTERN=line 5: \"size 640 480 .*\": size must come before"
                 -P ${REPLAY_TESTS}/run_replay.cmake)
