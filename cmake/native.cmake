# Native build: unit tests of the core, headless tools, benchmarks, and the
# ctest entries that run a Windows build's programs under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)

include(cmake/headless.cmake)

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
target_link_libraries(scrivlet_unit_tests PRIVATE scrivlet_core scrivlet_replay_script scrivlet_posix_files
                      scrivlet_marks GTest::gtest_main)
target_compile_options(scrivlet_unit_tests PRIVATE -Wall -Wextra)
# Each language's catalogue in locale/, beside the native program, which
# reads them there in a build tree; the catalogue test reads every language
# through gettext from the same files.
scrivlet_catalogues(NATIVE_CATALOGUES gettext ${CMAKE_BINARY_DIR}/locale)
add_custom_target(scrivlet_native_catalogues ALL DEPENDS ${NATIVE_CATALOGUES})
add_dependencies(scrivlet_unit_tests scrivlet_native_catalogues)
target_compile_definitions(scrivlet_unit_tests PRIVATE SCRIVLET_TEST_LOCALE_DIR="${CMAKE_BINARY_DIR}/locale"
                           SCRIVLET_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# Parameterised cases name themselves. With pretty values, CMake would put
# GoogleTest's print of the parameter (raw bytes, pointers among them) into
# the entry's name, which then differs from build to build.
gtest_discover_tests(scrivlet_unit_tests DISCOVERY_TIMEOUT 30 NO_PRETTY_VALUES)
add_test(NAME po.catalogues COMMAND bash ${PROJECT_SOURCE_DIR}/tests/po/check.sh ${PROJECT_SOURCE_DIR}
                                    ${CMAKE_BINARY_DIR}/generated)

add_subdirectory(gtk)
if(TARGET scrivlet_gtk)
  add_executable(scrivlet_native_tests tests/native/options_store_test.cpp tests/native/canvas_test.cpp)
  target_link_libraries(scrivlet_native_tests PRIVATE scrivlet_gtk GTest::gtest_main)
  add_dependencies(scrivlet_native_tests scrivlet_native_files)
  gtest_discover_tests(scrivlet_native_tests DISCOVERY_TIMEOUT 30 TEST_PREFIX native.)
  # Fingers on the real window, as GDK events made in the process, on an
  # Xvfb of the entry's own.
  add_executable(scrivlet_touch_tests tests/native/touch_test.cpp)
  target_link_libraries(scrivlet_touch_tests PRIVATE scrivlet_gtk GTest::gtest)
  target_compile_options(scrivlet_touch_tests PRIVATE -Wall -Wextra)
  add_test(NAME native.TouchGdkEvents
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/native/with_xvfb.sh $<TARGET_FILE:scrivlet_touch_tests>)

  # End to end on a display and window manager of each script's own.
  add_executable(scrivlet_grab_probe tests/native/grab_probe.cpp)
  target_link_libraries(scrivlet_grab_probe PRIVATE X11)
  set(NATIVE_E2E ${CMAKE_CURRENT_SOURCE_DIR}/tests/native)
  add_test(NAME native.stamp_draw_exit
           COMMAND bash ${NATIVE_E2E}/stamp_draw_exit.sh $<TARGET_FILE:scrivlet> $<TARGET_FILE:scrivlet-replay>
                   $<TARGET_FILE:scrivlet_grab_probe>)
  add_test(NAME native.options_hold COMMAND bash ${NATIVE_E2E}/options_hold.sh $<TARGET_FILE:scrivlet>)
  add_test(NAME native.save_bmp COMMAND bash ${NATIVE_E2E}/save_bmp.sh $<TARGET_FILE:scrivlet>)
  add_test(NAME native.help_pages COMMAND bash ${NATIVE_E2E}/help_pages.sh $<TARGET_FILE:scrivlet>)
  add_test(NAME native.key_sound COMMAND bash ${NATIVE_E2E}/key_sound.sh $<TARGET_FILE:scrivlet>)
  add_test(NAME native.wayland COMMAND bash ${NATIVE_E2E}/wayland.sh $<TARGET_FILE:scrivlet>)
  add_test(NAME native.wayland_confine COMMAND bash ${NATIVE_E2E}/wayland_confine.sh $<TARGET_FILE:scrivlet>)
  add_test(NAME native.wayland_curtains COMMAND bash ${NATIVE_E2E}/wayland_curtains.sh $<TARGET_FILE:scrivlet>)
  # The texts of the menus and the options dialog in the environment's
  # language, printed by the shell's own code; beside the program, so that
  # it finds the same catalogues.
  add_executable(scrivlet_texts_probe tests/native/texts_probe.cpp)
  target_link_libraries(scrivlet_texts_probe PRIVATE scrivlet_gtk)
  add_dependencies(scrivlet_texts_probe scrivlet_native_files)
  add_test(NAME native.languages
           COMMAND bash ${NATIVE_E2E}/languages.sh $<TARGET_FILE:scrivlet> $<TARGET_FILE:scrivlet_texts_probe>)
  add_test(NAME native.locale_bytes
           COMMAND bash ${NATIVE_E2E}/locale_bytes.sh $<TARGET_FILE:scrivlet> $<TARGET_FILE:scrivlet-replay>)
  add_test(NAME native.curtains
           COMMAND bash ${NATIVE_E2E}/curtains.sh $<TARGET_FILE:scrivlet> $<TARGET_FILE:scrivlet-replay>
                   $<TARGET_FILE:scrivlet_grab_probe>)
  # Real XInput 2.2 touches through Xorg's test input driver, whose
  # protocol header comes with the server's development files.
  find_path(XORG_INPUTTEST_INCLUDE xorg/xf86-input-inputtest-protocol.h)
  if(XORG_INPUTTEST_INCLUDE)
    add_executable(scrivlet_touch_inputtest tests/native/touch_inputtest.cpp)
    target_include_directories(scrivlet_touch_inputtest PRIVATE ${XORG_INPUTTEST_INCLUDE})
    target_compile_options(scrivlet_touch_inputtest PRIVATE -Wall -Wextra)
    add_test(NAME native.TouchXorgInputtest
             COMMAND bash ${NATIVE_E2E}/touch_xorg.sh $<TARGET_FILE:scrivlet> $<TARGET_FILE:scrivlet-replay>
                     $<TARGET_FILE:scrivlet_touch_inputtest>)
    set_tests_properties(native.TouchXorgInputtest PROPERTIES SKIP_RETURN_CODE 77)
  else()
    message(STATUS "Xorg's inputtest protocol header (xserver-xorg-dev) not found: native.TouchXorgInputtest is left out")
  endif()

  # Paints replay marks with the cairo canvas, to compare with GDI's pixels
  # (tools/render/compare.sh); run by hand.
  add_executable(scrivlet-render tools/render/render_cairo_gtk.cpp)
  target_link_libraries(scrivlet-render PRIVATE scrivlet_gtk scrivlet_marks)
  add_dependencies(scrivlet-render scrivlet_native_files)
  target_compile_options(scrivlet-render PRIVATE -Wall -Wextra)

  # The Debian package (the target 'package') and the layout it installs:
  # the package as a file, then installed and removed again, once with apt
  # (root only) and once with cmake --install --prefix.
  include(cmake/native-package.cmake)
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(SCRIVLET_DEB ${CMAKE_BINARY_DIR}/scrivlet_${PROJECT_VERSION}_${DEB_ARCH}.deb)
  add_test(NAME package.deb
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/package/check-deb.sh ${SCRIVLET_DEB} ${SCREENSHOT})
  foreach(mode deb prefix)
    add_test(NAME native.installed_${mode}
             COMMAND bash ${NATIVE_E2E}/installed.sh ${mode} ${SCRIVLET_DEB} ${CMAKE_BINARY_DIR})
  endforeach()
  # Both change what is installed on this machine.
  set_tests_properties(native.installed_deb native.installed_prefix PROPERTIES RESOURCE_LOCK scrivlet_installation)
else()
  message(STATUS "GTK 3, its accessibility bridge or libcanberra not found: the native program is not built")
endif()

# scrivlet-replay against scripts whose output was derived by hand.
set(REPLAY_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/replay)
add_test(NAME replay_all_events
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/all-events.script
                 -DSTATUS=0 -DEXPECTED=${REPLAY_TESTS}/all-events.expected -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_all_events_from_standard_input
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSTDIN=${REPLAY_TESTS}/all-events.script
                 -DSTATUS=0 -DEXPECTED=${REPLAY_TESTS}/all-events.expected -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_touch
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/touch.script
                 -DSTATUS=0 -DEXPECTED=${REPLAY_TESTS}/touch.expected -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_missing_file_exits_1
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/no-such.script
                 -DSTATUS=1 "-DERROR_PATTERN=cannot read \".*no-such\\.script\": No such file"
                 -P ${REPLAY_TESTS}/run_replay.cmake)
add_test(NAME replay_bad_line_exits_2
         COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:scrivlet-replay> -DSCRIPT=${REPLAY_TESTS}/bad-line.script
                 -DSTATUS=2 -DEXPECTED=${REPLAY_TESTS}/bad-line.expected
                 "-DERROR_PATTERN=line 5: \"size 640 480 .*\": size must come before"
                 -P ${REPLAY_TESTS}/run_replay.cmake)

# The programs of a Windows build, run under Wine in the Wine prefix and X
# display that test.sh makes. Each GoogleTest suite of the integration tests
# is its own ctest entry, so a crash or a hang names its suite. They all share
# one desktop, so they run one at a time.
if(SCRIVLET_WINDOWS_BUILD_DIR)
  set(WIN_RUNNER ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/run-exe.sh)
  set(WIN_TEST_EXE ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet_win_tests.exe)
  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/*.cpp)
  set(WIN_TEST_FILTERS)
  foreach(source IN LISTS WIN_TEST_SOURCES)
    # Reconfigure when a test file changes, since its suites may have.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} test_lines REGEX "^[ \t]*TEST(_F|_P)?[ \t]*\\(")
    foreach(line IN LISTS test_lines)
      string(REGEX MATCH "TEST(_F|_P)?[ \t]*\\([ \t]*([A-Za-z0-9_]+)" _ "${line}")
      if(CMAKE_MATCH_1 STREQUAL "_P")
        list(APPEND WIN_TEST_FILTERS "${CMAKE_MATCH_2}=*/${CMAKE_MATCH_2}.*")
      else()
        list(APPEND WIN_TEST_FILTERS "${CMAKE_MATCH_2}=${CMAKE_MATCH_2}.*")
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES WIN_TEST_FILTERS)
  # Suites that must be the first program of a fresh wineserver: under Wine a
  # pointer clip takes effect only for such a program.
  set(WIN_FRESH_SERVER_SUITES PointerConfinement)
  foreach(entry IN LISTS WIN_TEST_FILTERS)
    string(REGEX REPLACE "=.*" "" suite "${entry}")
    string(REGEX REPLACE "^[^=]*=" "" filter "${entry}")
    set(fresh)
    if(suite IN_LIST WIN_FRESH_SERVER_SUITES)
      set(fresh --fresh-server)
    endif()
    add_test(NAME wine.${suite} COMMAND bash ${WIN_RUNNER} ${fresh} ${WIN_TEST_EXE} --gtest_filter=${filter})
    # A misspelt filter runs nothing and would pass; it must not.
    set_tests_properties(wine.${suite} PROPERTIES RUN_SERIAL TRUE
                         FAIL_REGULAR_EXPRESSION "\\] 0 tests from 0 test suites ran")
  endforeach()

  # Whether start-up leaves the audio stack alone can be seen only in a
  # process that has not asked for the devices yet: a skip is a failure.
  if(TEST wine.KeySoundStartUp)
    set_tests_properties(wine.KeySoundStartUp PROPERTIES
                         FAIL_REGULAR_EXPRESSION "\\] 0 tests from 0 test suites ran|SKIPPED")
  endif()

  # Help where the viewer is missing: Wine's own is disabled for this entry.
  if(TEST wine.HelpWithoutViewer)
    set_tests_properties(wine.HelpWithoutViewer PROPERTIES
                         ENVIRONMENT "WINEDLLOVERRIDES=mscoree,mshtml,hhctrl.ocx="
                         FAIL_REGULAR_EXPRESSION "\\] 0 tests from 0 test suites ran|SKIPPED")
  endif()

  # Every script gets scrivlet-replay too, to tell where the random sequence
  # puts a mark; scripts that need no such check ignore it.
  foreach(script draw_and_exit stamp_and_clear options_persist alt_keys switch_away second_start ctrl_escape confine_pointer
                 curtains)
    add_test(NAME e2e.${script}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/${script}.sh ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe
                     $<TARGET_FILE:scrivlet-replay>)
    set_tests_properties(e2e.${script} PROPERTIES RUN_SERIAL TRUE)
  endforeach()
  add_test(NAME e2e.windows_key
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/windows_key.sh ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe
                   ${SCRIVLET_WINDOWS_BUILD_DIR}/key_witness.exe)
  set_tests_properties(e2e.windows_key PROPERTIES RUN_SERIAL TRUE)
  # Taps sent as Windows makes them from a finger, and as a mouse's.
  add_test(NAME e2e.touch_taps
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/touch_taps.sh ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe
                   ${SCRIVLET_WINDOWS_BUILD_DIR}/touch_taps.exe)
  set_tests_properties(e2e.touch_taps PROPERTIES RUN_SERIAL TRUE)
  # Saving needs the helper that reads the message box of a failed save, and
  # root to mount its small disk.
  add_test(NAME e2e.save_bmp
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/save_bmp.sh ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe
                   ${SCRIVLET_WINDOWS_BUILD_DIR}/window_texts.exe)
  set_tests_properties(e2e.save_bmp PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
  # A read-only folder, a name that is a folder, a name outside ASCII.
  add_test(NAME e2e.save_faults
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/save_faults.sh ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe
                   ${SCRIVLET_WINDOWS_BUILD_DIR}/window_texts.exe)
  set_tests_properties(e2e.save_faults PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
  # The toy under the UI languages of its table: title, menu bar, options
  # dialog and a failed save's message in each, as po/ translates them.
  add_test(NAME e2e.languages
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/languages.sh ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe
                   ${SCRIVLET_WINDOWS_BUILD_DIR}/window_texts.exe ${WIN_TEST_EXE} ${CMAKE_CURRENT_SOURCE_DIR}/po)
  set_tests_properties(e2e.languages PROPERTIES RUN_SERIAL TRUE)
endif()

# Every function the Windows program finds with GetProcAddress is called
# through a WINAPI, CALLBACK or APIENTRY pointer: a plain one breaks the
# stack only in the 32-bit build, which may have no Wine to run in, so the
# sources are read.
add_test(NAME exe.loaded_functions COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/tests/exe/check-loaded-functions.py
                                           ${CMAKE_CURRENT_SOURCE_DIR})
# The shipped 32-bit exe as a file: format, exactly the imports of
# tests/exe/imports.txt, version and icon. The package a parent downloads, as
# a file and (with a runnable Windows build) started from its unpacked folder.
if(SCRIVLET_WINDOWS_PRODUCT_DIR)
  add_test(NAME exe.product
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/exe/check-product.sh ${SCRIVLET_WINDOWS_PRODUCT_DIR}/scrivlet.exe
                   ${PROJECT_VERSION})
  set(SCRIVLET_PACKAGE ${SCRIVLET_WINDOWS_PRODUCT_DIR}/scrivlet-${PROJECT_VERSION}-win32.zip)
  add_test(NAME package.contents
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/package/check-package.sh ${SCRIVLET_PACKAGE}
                   ${CMAKE_CURRENT_SOURCE_DIR}/tests/exe/check-product.sh)
  if(SCRIVLET_WINDOWS_BUILD_DIR)
    add_test(NAME e2e.package
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/package.sh ${SCRIVLET_PACKAGE}
                     ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe)
    set_tests_properties(e2e.package PROPERTIES RUN_SERIAL TRUE)
    # The installer beside the zip, installed and removed again.
    add_test(NAME e2e.installer
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/installer.sh
                     ${SCRIVLET_WINDOWS_PRODUCT_DIR}/scrivlet-${PROJECT_VERSION}-setup.exe
                     ${SCRIVLET_WINDOWS_BUILD_DIR}/scrivlet.exe)
    # Skipped where only 64-bit Wine runs: the installer is a 32-bit program.
    set_tests_properties(e2e.installer PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
  endif()
endif()

include(cmake/sanitizers.cmake)

# The layout's rule: the core includes no platform or shell header, and
# neither shell includes the other's.
add_test(NAME layout.boundaries COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/layout/check-boundaries.sh
                                        ${CMAKE_CURRENT_SOURCE_DIR})
add_test(NAME layout.boundaries_caught COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/layout/boundaries_caught.sh
                                               ${CMAKE_CURRENT_SOURCE_DIR}/tests/layout/check-boundaries.sh)

# tools/install-deps.sh against a mirror mid-sync, with stand-ins for apt.
add_test(NAME tools.install_deps COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/tools/install_deps.sh
                                         ${CMAKE_CURRENT_SOURCE_DIR}/tools/install-deps.sh)
