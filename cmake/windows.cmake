# Windows build: the Win32 shell over the core, scrivlet.exe, and the
# integration test program that drives the real window under Wine.
enable_language(RC)

add_library(scrivlet_win STATIC
  app/confine_win.cpp
  app/key_sound_win.cpp
  app/keyboard_guard_win.cpp
  app/kidproof_win.cpp
  app/main_window.cpp
  app/startup.cpp
  draw/canvas_win.cpp
  files/bmp_export_win.cpp
  files/file_chooser_win.cpp
  files/help_win.cpp
  options/options_dialog_win.cpp
  options/options_store_win.cpp
)

# The Win32 file operations under the core's atomic writer: linked after the
# core, which calls them.
add_library(scrivlet_win_files STATIC files/file_ops_win.cpp)
target_include_directories(scrivlet_win_files PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(scrivlet_win_files PRIVATE -Wall -Wextra)
target_compile_definitions(scrivlet_win_files PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(scrivlet_core PUBLIC scrivlet_win_files)

# comdlg32 is imported late, when a file dialog first opens: under Wine it
# brings the shell, the print spooler, CUPS and GnuTLS with it, megabytes of
# memory a toy that is never saved from would keep for nothing. The delay
# import library lists the few functions used; a 32-bit stdcall name carries
# its argument bytes, and the DLL exports it without them.
#
# The 32-bit linker drops the code of an import library member whose own
# symbol nobody calls (the calls go through the address table). A delay
# import's address table entry points into that code until the first call,
# so each stub is asked for by name to keep it.
set(DELAYED_COMDLG32_FUNCTIONS GetOpenFileNameA GetSaveFileNameA)
set(delayedComdlg32Def "LIBRARY comdlg32.dll\nEXPORTS\n")
foreach(function IN LISTS DELAYED_COMDLG32_FUNCTIONS)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(APPEND delayedComdlg32Def "${function}@4\n")  # one pointer argument
    target_link_options(scrivlet_win INTERFACE "LINKER:--undefined=_${function}@4")
  else()
    string(APPEND delayedComdlg32Def "${function}\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/comdlg32_delay.def CONTENT "${delayedComdlg32Def}")
set(COMDLG32_DELAY_LIB ${CMAKE_BINARY_DIR}/libcomdlg32_delay.a)
add_custom_command(OUTPUT ${COMDLG32_DELAY_LIB}
  COMMAND ${CMAKE_DLLTOOL} --input-def comdlg32_delay.def --output-delaylib libcomdlg32_delay.a
          --dllname comdlg32.dll --kill-at
  DEPENDS ${CMAKE_BINARY_DIR}/comdlg32_delay.def
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making the delay import library of comdlg32")
add_custom_target(comdlg32_delay_lib DEPENDS ${COMDLG32_DELAY_LIB})
add_dependencies(scrivlet_win comdlg32_delay_lib)

target_link_libraries(scrivlet_win PUBLIC scrivlet_core gdi32 user32 winmm ${COMDLG32_DELAY_LIB} advapi32)
target_compile_options(scrivlet_win PRIVATE -Wall -Wextra)
target_compile_definitions(scrivlet_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

# One self-contained exe: only system DLLs are imported.
add_executable(scrivlet WIN32 app/winmain.cpp res/scrivlet.rc)
target_link_libraries(scrivlet PRIVATE scrivlet_win)
target_link_options(scrivlet PRIVATE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

if(SCRIVLET_WIN_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(scrivlet_win_tests ${WIN_TEST_SOURCES} res/scrivlet.rc)
  target_link_libraries(scrivlet_win_tests PRIVATE scrivlet_win gtest)
  target_compile_options(scrivlet_win_tests PRIVATE -Wall -Wextra)
  target_link_options(scrivlet_win_tests PRIVATE -static -static-libgcc -static-libstdc++)

  # Reads a message box's text for the end-to-end scripts.
  add_executable(window_texts tests/e2e/window_texts.cpp)
  target_compile_options(window_texts PRIVATE -Wall -Wextra)
  target_link_options(window_texts PRIVATE -static -static-libgcc -static-libstdc++)

  # A window that reports the keys it receives, for the end-to-end tests.
  add_executable(key_witness tests/e2e/key_witness.cpp)
  target_compile_options(key_witness PRIVATE -Wall -Wextra)
  target_link_options(key_witness PRIVATE -static -static-libgcc -static-libstdc++)
endif()

# What ships beside the exe: the help file compiled from docs/, the key sound
# (made by our own script, so the default sound name plays something) and
# the read-me for parents, with Windows line ends for Notepad.
find_program(CHMCMD chmcmd REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(HELP_SOURCES scrivlet.hhp scrivlet.hhc scrivlet.htm scrivlet.css)
list(TRANSFORM HELP_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/docs/)
# chmcmd writes the .chm beside the project file, so it runs on a copy.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/scrivlet.chm
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_SOURCES} ${CMAKE_BINARY_DIR}/help/
  COMMAND ${CHMCMD} --verbosity 0 scrivlet.hhp
  COMMAND ${CMAKE_COMMAND} -E copy scrivlet.chm ${CMAKE_BINARY_DIR}/scrivlet.chm
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help
  DEPENDS ${HELP_SOURCES}
  COMMENT "Compiling the help file scrivlet.chm")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/key.wav
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_key_sound.py ${CMAKE_BINARY_DIR}/key.wav
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_key_sound.py
  COMMENT "Making the key sound key.wav")
add_custom_target(scrivlet_files ALL DEPENDS ${CMAKE_BINARY_DIR}/scrivlet.chm ${CMAKE_BINARY_DIR}/key.wav)
configure_file(docs/readme.txt ${CMAKE_BINARY_DIR}/readme.txt @ONLY NEWLINE_STYLE CRLF)

# The package a parent downloads: `cmake --build DIR --target package` makes
# scrivlet-VERSION-win32.zip of the 32-bit build, one folder of four files.
install(TARGETS scrivlet RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/scrivlet.chm ${CMAKE_BINARY_DIR}/key.wav ${CMAKE_BINARY_DIR}/readme.txt
        DESTINATION .)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME scrivlet)
  set(CPACK_PACKAGE_FILE_NAME scrivlet-${PROJECT_VERSION}-win32)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
endif()

# The same replay marks painted with GDI, for comparing the native program's
# pixels with these (tools/render/compare.sh); not shipped.
if(SCRIVLET_WIN_TESTS)
  add_executable(scrivlet-render tools/render/render_gdi_win.cpp tools/render/marks.cpp)
  target_link_libraries(scrivlet-render PRIVATE scrivlet_core gdi32)
  target_compile_options(scrivlet-render PRIVATE -Wall -Wextra)
  target_link_options(scrivlet-render PRIVATE -static -static-libgcc -static-libstdc++)
endif()

# Save as BMP timed without its dialog; run by bench/run, not by ctest.
add_executable(scrivlet_save_bench EXCLUDE_FROM_ALL bench/save_bench_win.cpp)
target_link_libraries(scrivlet_save_bench PRIVATE scrivlet_win)
target_link_options(scrivlet_save_bench PRIVATE -static -static-libgcc -static-libstdc++)
target_compile_options(scrivlet_save_bench PRIVATE -Wall -Wextra)

# One million random messages to the real window; run by bench/soak.
add_executable(scrivlet_soak EXCLUDE_FROM_ALL bench/soak_win.cpp)
target_link_libraries(scrivlet_soak PRIVATE scrivlet_win psapi)
target_link_options(scrivlet_soak PRIVATE -static -static-libgcc -static-libstdc++)
target_compile_options(scrivlet_soak PRIVATE -Wall -Wextra)
