# The Debian package of the native program, made by `cpack -G DEB` (the
# build's `package` target), and the layout it installs, which
# `cmake --install DIR --prefix ~/.local` gives one user too:
#   bin/scrivlet, share/scrivlet/ (help pages, each language's in help/LL/,
#   key.wav), share/locale/LL/LC_MESSAGES/scrivlet.mo, the translated menu
#   entry, icons, translated AppStream metadata, the manual page and
#   share/doc/scrivlet/ (copyright, changelog).
# The program finds its files from its own path (core/data_files.h), so
# share/scrivlet must stay where the program's bin/ is.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(SCRIVLET_APP_ID org.scrivlet.Scrivlet)
set(PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
set(LINUX_RES ${PROJECT_SOURCE_DIR}/res/linux)
file(MAKE_DIRECTORY ${PACKAGE_FILES})
execute_process(COMMAND date -u -R -d ${SCRIVLET_RELEASE_DATE}T00:00:00Z
                OUTPUT_VARIABLE SCRIVLET_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${LINUX_RES}/${SCRIVLET_APP_ID}.metainfo.xml.in ${PACKAGE_FILES}/${SCRIVLET_APP_ID}.metainfo.xml @ONLY)
configure_file(${LINUX_RES}/scrivlet.6.in ${PACKAGE_FILES}/scrivlet.6 @ONLY)
configure_file(${LINUX_RES}/changelog.in ${PACKAGE_FILES}/changelog @ONLY)

# The icon at the theme's sizes, drawn by the script that draws the
# Windows icon.
set(ICON_SIZES 16 22 24 32 48 64 128 256)
set(ICON_FILES)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND ICON_FILES ${PACKAGE_FILES}/icons/${size}x${size}/apps/${SCRIVLET_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${ICON_FILES}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/res/make_icon.py --png ${PACKAGE_FILES}/icons ${SCRIVLET_APP_ID}
  DEPENDS ${PROJECT_SOURCE_DIR}/res/make_icon.py
  COMMENT "Drawing the icons for the desktop's theme")

# Debian keeps manual pages and changelogs compressed, without a time stamp.
find_program(GZIP gzip REQUIRED)
foreach(name scrivlet.6 changelog)
  add_custom_command(OUTPUT ${PACKAGE_FILES}/${name}.gz
    COMMAND ${GZIP} -9nf -k ${name}
    WORKING_DIRECTORY ${PACKAGE_FILES}
    DEPENDS ${PACKAGE_FILES}/${name}
    COMMENT "Compressing ${name}")
endforeach()

# The AppStream screenshot: the canvas after the renderers' long session,
# painted by the program's own cairo canvas. It is published at the address
# the metadata names, not installed.
find_program(CONVERT convert)
set(SCREENSHOT ${PACKAGE_FILES}/screenshot.png)
set(SCREENSHOT_MADE)
if(CONVERT)
  add_custom_command(OUTPUT ${PACKAGE_FILES}/screenshot.png
    COMMAND scrivlet-replay ${PROJECT_SOURCE_DIR}/tools/render/session.script > session.marks
    COMMAND scrivlet-render 1024 768 session.ppm < session.marks
    COMMAND ${CONVERT} session.ppm screenshot.png
    WORKING_DIRECTORY ${PACKAGE_FILES}
    DEPENDS scrivlet-replay scrivlet-render ${PROJECT_SOURCE_DIR}/tools/render/session.script
    COMMENT "Painting the screenshot of the AppStream metadata")
  set(SCREENSHOT_MADE ${SCREENSHOT})
endif()
# The menu entry and the metadata with every language's words, from po/.
set(TRANSLATIONS)
foreach(lang IN LISTS SCRIVLET_LANGUAGES)
  list(APPEND TRANSLATIONS ${PROJECT_SOURCE_DIR}/po/${lang}.po)
endforeach()
add_custom_command(OUTPUT ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.desktop
                          ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.metainfo.xml
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGE_FILES}/translated
  COMMAND ${MSGFMT} --desktop --template=${LINUX_RES}/${SCRIVLET_APP_ID}.desktop -d ${PROJECT_SOURCE_DIR}/po
          -o ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.desktop
  COMMAND ${MSGFMT} --xml --template=${PACKAGE_FILES}/${SCRIVLET_APP_ID}.metainfo.xml -d ${PROJECT_SOURCE_DIR}/po
          -o ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.metainfo.xml
  DEPENDS ${LINUX_RES}/${SCRIVLET_APP_ID}.desktop ${PACKAGE_FILES}/${SCRIVLET_APP_ID}.metainfo.xml
          ${PROJECT_SOURCE_DIR}/po/LINGUAS ${TRANSLATIONS}
  COMMENT "Translating the menu entry and the AppStream metadata")
add_custom_target(scrivlet_package_files ALL
  DEPENDS ${ICON_FILES} ${PACKAGE_FILES}/scrivlet.6.gz ${PACKAGE_FILES}/changelog.gz ${SCREENSHOT_MADE}
          ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.desktop
          ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.metainfo.xml)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
install(TARGETS scrivlet RUNTIME DESTINATION bin)
install(FILES ${CMAKE_BINARY_DIR}/help/scrivlet.htm ${CMAKE_BINARY_DIR}/help/scrivlet.css
        DESTINATION share/scrivlet/help)
foreach(lang IN LISTS SCRIVLET_LANGUAGES)
  install(FILES ${CMAKE_BINARY_DIR}/help/${lang}/scrivlet.htm ${CMAKE_BINARY_DIR}/help/${lang}/scrivlet.css
          DESTINATION share/scrivlet/help/${lang})
  install(FILES ${CMAKE_BINARY_DIR}/locale/${lang}/LC_MESSAGES/scrivlet.mo DESTINATION share/locale/${lang}/LC_MESSAGES)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/key.wav DESTINATION share/scrivlet)
install(FILES ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.desktop DESTINATION share/applications)
install(DIRECTORY ${PACKAGE_FILES}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${PACKAGE_FILES}/translated/${SCRIVLET_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PACKAGE_FILES}/scrivlet.6.gz DESTINATION share/man/man6)
install(FILES ${LINUX_RES}/copyright ${PACKAGE_FILES}/changelog.gz DESTINATION share/doc/scrivlet)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scrivlet)
set(CPACK_PACKAGE_VENDOR "The Scrivlet developers")
set(CPACK_PACKAGE_CONTACT "The Scrivlet developers <developers@scrivlet.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drawing toy for babies and toddlers")
set(CPACK_PACKAGE_DESCRIPTION
    "Scrivlet opens maximised on a black canvas and turns whatever a small child\n\
does with the mouse and the keyboard into colour: moving the mouse draws thick\n\
lines of drifting colour, the right button erases, and every released key\n\
stamps a blossom of random colour and size, with a sound.\n\
\n\
While it runs it holds the keyboard, so that a child's keys reach no other\n\
program. A parent sets it up for the child's age in its options and can save\n\
the picture as a BMP file.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://scrivlet.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcanberra is loaded at the first key sound, so dpkg-shlibdeps never sees
# it; without it (or without a sound theme) the toy is quiet.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcanberra0, libcanberra-pulse, sound-theme-freedesktop")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
