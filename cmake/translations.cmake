# The translations in po/, as both builds use them. English is the source;
# po/LINGUAS lists the other languages, each with po/LL.po (the programs'
# texts, the menu entry and the metadata) and po/help/LL.po (the help page).
file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS SCRIVLET_LANGUAGES REGEX "^[^#]")
# The core knows the languages that have a catalogue from LINGUAS itself.
string(JOIN "\", \"" SCRIVLET_LANGUAGES_QUOTED ${SCRIVLET_LANGUAGES})
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/languages.h
     CONTENT "// Made by the build from po/LINGUAS.\n#define SCRIVLET_CATALOGUE_LANGUAGES \"${SCRIVLET_LANGUAGES_QUOTED}\"\n")
find_program(MSGFMT msgfmt REQUIRED)
find_program(PO4A po4a REQUIRED)

# Each language's compiled catalogue: for gettext at DIR/LL/LC_MESSAGES/
# scrivlet.mo (LAYOUT gettext), or for wrc as DIR/LL.mo beside a copy of
# LINGUAS (LAYOUT wrc). The files made go into OUT_VAR.
function(scrivlet_catalogues out_var layout dir)
  set(made)
  foreach(lang IN LISTS SCRIVLET_LANGUAGES)
    if(layout STREQUAL "gettext")
      set(mo ${dir}/${lang}/LC_MESSAGES/scrivlet.mo)
    else()
      set(mo ${dir}/${lang}.mo)
    endif()
    get_filename_component(mo_dir ${mo} DIRECTORY)
    add_custom_command(OUTPUT ${mo}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${mo_dir}
      COMMAND ${MSGFMT} --check -o ${mo} ${PROJECT_SOURCE_DIR}/po/${lang}.po
      DEPENDS ${PROJECT_SOURCE_DIR}/po/${lang}.po
      COMMENT "Compiling the ${lang} catalogue")
    list(APPEND made ${mo})
  endforeach()
  if(layout STREQUAL "wrc")
    configure_file(${PROJECT_SOURCE_DIR}/po/LINGUAS ${dir}/LINGUAS COPYONLY)
  endif()
  set(${out_var} ${made} PARENT_SCOPE)
endfunction()

# The help page in each language at DIR/LL/scrivlet.htm, made by po4a from
# the English page and po/help/LL.po as po/po4a.cfg pairs them (a page less
# than whole is refused), beside its own copy of the style sheet, which the
# page links relatively. The build only reads the template and catalogues
# (--no-update); --force writes the page even where po4a finds it newer than
# its sources, so that a changed style sheet does not leave it stale for make.
# The config's paths are the source root's, hence the working directory.
function(scrivlet_help_pages out_var dir)
  set(made)
  foreach(lang IN LISTS SCRIVLET_LANGUAGES)
    set(page ${dir}/${lang}/scrivlet.htm)
    add_custom_command(OUTPUT ${page} ${dir}/${lang}/scrivlet.css
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/${lang}
      COMMAND ${PO4A} --no-update --force --destdir ${dir} --translate-only ${lang}/scrivlet.htm
              ${PROJECT_SOURCE_DIR}/po/po4a.cfg
      COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/help/scrivlet.css ${dir}/${lang}/
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      DEPENDS ${PROJECT_SOURCE_DIR}/help/scrivlet.htm ${PROJECT_SOURCE_DIR}/help/scrivlet.css
              ${PROJECT_SOURCE_DIR}/po/help/${lang}.po ${PROJECT_SOURCE_DIR}/po/po4a.cfg
      COMMENT "Translating the help page into ${lang}")
    list(APPEND made ${page} ${dir}/${lang}/scrivlet.css)
  endforeach()
  set(${out_var} ${made} PARENT_SCOPE)
endfunction()
