# Windows build: the Win32 shell over the core, scrivlet.exe, and the
# integration test program that drives the real window under Wine.
enable_language(RC)

add_library(scrivlet_win STATIC
  app/key_sound_win.cpp
  app/main_window.cpp
  app/startup.cpp
  draw/canvas_win.cpp
  files/file_chooser_win.cpp
  files/help_win.cpp
)
target_link_libraries(scrivlet_win PUBLIC scrivlet_core gdi32 user32 winmm comdlg32 advapi32)
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
  target_link_options(scrivlet_win_tests PRIVATE -static -static-libgcc -static-libstdc++)
endif()
