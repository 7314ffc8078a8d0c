# Windows build beyond the program itself (win32/): the integration test
# program that drives the real window under Wine, the files that ship beside
# the exe, the package, and the benchmarks' programs.
if(SCRIVLET_WIN_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(scrivlet_win_tests ${WIN_TEST_SOURCES})
  target_link_libraries(scrivlet_win_tests PRIVATE scrivlet_win gtest)
  scrivlet_link_resources(scrivlet_win_tests)
  target_compile_options(scrivlet_win_tests PRIVATE -Wall -Wextra)
  target_link_options(scrivlet_win_tests PRIVATE -static -static-libgcc -static-libstdc++)

  # Reads a message box's or a dialog's texts and the toy's title, and
  # hands the toy a menu command, for the end-to-end scripts.
  add_executable(window_texts tests/e2e/window_texts.cpp)
  target_link_libraries(window_texts PRIVATE shell32)
  target_compile_options(window_texts PRIVATE -Wall -Wextra)
  target_link_options(window_texts PRIVATE -static -static-libgcc -static-libstdc++)

  # A window that reports the keys it receives, for the end-to-end tests.
  add_executable(key_witness tests/e2e/key_witness.cpp)
  target_compile_options(key_witness PRIVATE -Wall -Wextra)
  target_link_options(key_witness PRIVATE -static -static-libgcc -static-libstdc++)

  # Taps sent with SendInput as Windows makes them from a finger, for the
  # end-to-end tests.
  add_executable(touch_taps tests/e2e/touch_taps.cpp)
  target_compile_options(touch_taps PRIVATE -Wall -Wextra)
  target_link_options(touch_taps PRIVATE -static -static-libgcc -static-libstdc++)
endif()

# What ships beside the exe: the help file compiled from help/ (in every
# language), the key sound (made by our own script, so the default sound
# name plays something) and the read-me for parents, with Windows line ends
# for Notepad.
find_program(CHMCMD chmcmd REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(HELP_SOURCES scrivlet.hhc scrivlet.htm scrivlet.css)
list(TRANSFORM HELP_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/help/)
# Each language's page goes into the same file at LL/scrivlet.htm, beside
# its own copy of the style sheet, which it links relatively; the core asks
# for "de/scrivlet.htm#Options". The project file lists them all.
scrivlet_help_pages(HELP_PAGES ${CMAKE_BINARY_DIR}/help)
file(READ ${CMAKE_SOURCE_DIR}/help/scrivlet.hhp HELP_PROJECT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/scrivlet.hhp)
foreach(lang IN LISTS SCRIVLET_LANGUAGES)
  string(APPEND HELP_PROJECT "${lang}/scrivlet.htm\n${lang}/scrivlet.css\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/help/scrivlet.hhp CONTENT "${HELP_PROJECT}")
# chmcmd writes the .chm beside the project file, so it runs on a copy. Its
# scan of the pages for links is left out: it takes a page's "#Options" in
# a folder for a file of that folder, and every file is listed anyway.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/scrivlet.chm
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_SOURCES} ${CMAKE_BINARY_DIR}/help/
  COMMAND ${CHMCMD} --no-html-scan --verbosity 0 scrivlet.hhp
  COMMAND ${CMAKE_COMMAND} -E copy scrivlet.chm ${CMAKE_BINARY_DIR}/scrivlet.chm
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help
  DEPENDS ${HELP_SOURCES} ${HELP_PAGES} ${CMAKE_BINARY_DIR}/help/scrivlet.hhp
  COMMENT "Compiling the help file scrivlet.chm")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/key.wav
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_key_sound.py ${CMAKE_BINARY_DIR}/key.wav
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_key_sound.py
  COMMENT "Making the key sound key.wav")
add_custom_target(scrivlet_files ALL DEPENDS ${CMAKE_BINARY_DIR}/scrivlet.chm ${CMAKE_BINARY_DIR}/key.wav)
configure_file(help/readme.txt ${CMAKE_BINARY_DIR}/readme.txt @ONLY NEWLINE_STYLE CRLF)

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

  # The installer beside the zip: `cmake --build DIR --target setup` makes
  # scrivlet-VERSION-setup.exe with makensis (res/windows/scrivlet.nsi.in)
  # from the same four files, the exe stripped as in the zip.
  find_program(MAKENSIS makensis)
  if(MAKENSIS)
    set(SETUP_EXE ${CMAKE_BINARY_DIR}/scrivlet-${PROJECT_VERSION}-setup.exe)
    set(FILES_DIR ${CMAKE_BINARY_DIR}/setup-files)
    set(ICON ${CMAKE_SOURCE_DIR}/res/scrivlet.ico)
    # The installer speaks the languages of po/LINGUAS through MUI's own
    # language files; the one text of ours, the finish page's "Start
    # Scrivlet now", is each catalogue's, asked of gettext itself.
    set(NSIS_LANGUAGE_NAMES de=German fr=French es=Spanish it=Italian pt_BR=PortugueseBR nl=Dutch pl=Polish
        ru=Russian ja=Japanese zh_CN=SimpChinese)
    scrivlet_catalogues(INSTALLER_CATALOGUES gettext ${CMAKE_BINARY_DIR}/installer-po)
    find_program(GETTEXT gettext REQUIRED)
    set(INSTALLER_LANGUAGES ${CMAKE_BINARY_DIR}/scrivlet-languages.nsh)
    # NSIS escapes '$' as "$$" and '"' as '$\"'.
    set(nsisQuote "s/[$]/$$/g$<SEMICOLON> s/\"/$\\\"/g")
    set(languageCommands)
    foreach(lang IN LISTS SCRIVLET_LANGUAGES)
      set(nsisName)
      foreach(pair IN LISTS NSIS_LANGUAGE_NAMES)
        if(pair MATCHES "^${lang}=(.*)$")
          set(nsisName ${CMAKE_MATCH_1})
        endif()
      endforeach()
      if(NOT nsisName)
        message(FATAL_ERROR "No NSIS language file is named for ${lang}: add it to NSIS_LANGUAGE_NAMES")
      endif()
      string(TOUPPER ${nsisName} nsisConstant)
      list(APPEND languageCommands COMMAND sh -c
        "text=$(LANGUAGE=${lang} LC_ALL=C.UTF-8 TEXTDOMAINDIR=${CMAKE_BINARY_DIR}/installer-po ${GETTEXT} -d scrivlet 'Start Scrivlet now' | sed '${nsisQuote}') && printf '!insertmacro MUI_LANGUAGE \"%s\"\\nLangString TEXT_INSTALLER_RUN \${LANG_%s} \"%s\"\\n' ${nsisName} ${nsisConstant} \"$text\" >>${INSTALLER_LANGUAGES}")
    endforeach()
    add_custom_command(OUTPUT ${INSTALLER_LANGUAGES}
      COMMAND ${CMAKE_COMMAND} -E rm -f ${INSTALLER_LANGUAGES}
      ${languageCommands}
      DEPENDS ${INSTALLER_CATALOGUES}
      COMMENT "Making the installer's languages"
      VERBATIM)
    configure_file(res/windows/scrivlet.nsi.in ${CMAKE_BINARY_DIR}/scrivlet.nsi @ONLY)
    add_custom_command(OUTPUT ${SETUP_EXE}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${FILES_DIR}
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:scrivlet> ${CMAKE_BINARY_DIR}/scrivlet.chm
              ${CMAKE_BINARY_DIR}/key.wav ${CMAKE_BINARY_DIR}/readme.txt ${FILES_DIR}/
      COMMAND ${CMAKE_STRIP} ${FILES_DIR}/scrivlet.exe
      COMMAND ${MAKENSIS} -V2 -NOCD -INPUTCHARSET UTF8 ${CMAKE_BINARY_DIR}/scrivlet.nsi
      DEPENDS scrivlet ${CMAKE_BINARY_DIR}/scrivlet.chm ${CMAKE_BINARY_DIR}/key.wav ${CMAKE_BINARY_DIR}/readme.txt
              ${CMAKE_BINARY_DIR}/scrivlet.nsi ${INSTALLER_LANGUAGES} ${ICON}
      COMMENT "Making the installer scrivlet-${PROJECT_VERSION}-setup.exe")
    add_custom_target(setup DEPENDS ${SETUP_EXE})
  else()
    message(STATUS "makensis not found: no installer (tools/install-deps.sh installs nsis)")
  endif()
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
