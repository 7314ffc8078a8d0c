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

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(scrivlet_unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(scrivlet_unit_tests PRIVATE scrivlet_core scrivlet_replay_script GTest::gtest_main)
gtest_discover_tests(scrivlet_unit_tests DISCOVERY_TIMEOUT 30)
