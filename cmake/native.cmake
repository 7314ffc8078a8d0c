# Native build: unit tests of the core, headless tools, benchmarks, and the
# ctest entries that run a Windows build's programs under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(scrivlet_unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(scrivlet_unit_tests PRIVATE scrivlet_core GTest::gtest_main)
gtest_discover_tests(scrivlet_unit_tests DISCOVERY_TIMEOUT 30)
