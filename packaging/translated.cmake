# The menu entry, the AppStream page and the manual page, in English and in the game's
# languages. Their translations are gettext catalogues in translations/: po/ for the entry
# and the page, merged into the configured English files by msgfmt, and man/ for the
# manual, which po4a translates paragraph by paragraph from its template before the
# template is configured. `ninja update_translations` brings the catalogues up to date with
# the English texts. Everything is made at configure time, like the English files, and made
# again when a catalogue changes.
find_program(ZUBBO_MSGFMT msgfmt REQUIRED)
find_program(ZUBBO_PO4A po4a REQUIRED)
set(translations ${PROJECT_SOURCE_DIR}/translations)
file(GLOB catalogues CONFIGURE_DEPENDS ${translations}/po/* ${translations}/man/*)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${catalogues})

# Each language's catalogues are complete (the check of the translations sees to it).
set(ZUBBO_LANGUAGE_TAGS)
foreach(language ${ZUBBO_LANGUAGES})
  string(APPEND ZUBBO_LANGUAGE_TAGS "    <lang percentage=\"100\">${language}</lang>\n")
endforeach()
configure_file(zubbo.desktop.in english/${ZUBBO_APP_ID}.desktop @ONLY)
configure_file(zubbo.metainfo.xml.in english/${ZUBBO_APP_ID}.metainfo.xml @ONLY)
configure_file(zubbo.6.in zubbo.6 @ONLY)
function(merge_translations kind file)
  execute_process(
    COMMAND ${ZUBBO_MSGFMT} --${kind} --template=english/${file} -d ${translations}/po -o ${file}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
merge_translations(desktop ${ZUBBO_APP_ID}.desktop)
merge_translations(xml ${ZUBBO_APP_ID}.metainfo.xml)

# po4a writes the translated templates; a paragraph not translated yet stays English
# (--keep 0), which the check of the translations reports.
execute_process(
  COMMAND ${ZUBBO_PO4A} --no-update --srcdir ${PROJECT_SOURCE_DIR}
          --destdir ${CMAKE_CURRENT_BINARY_DIR} ${translations}/man/po4a.cfg
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  OUTPUT_QUIET
  COMMAND_ERROR_IS_FATAL ANY)
set(translated_pages)
foreach(language ${ZUBBO_LANGUAGES})
  configure_file(${CMAKE_CURRENT_BINARY_DIR}/man/${language}/zubbo.6.in man/${language}/zubbo.6 @ONLY)
  list(APPEND translated_pages man/${language}/zubbo.6)
endforeach()

# The catalogues brought up to date with the English texts, beside lupdate's update of the
# program's translations.
add_custom_target(zubbo_catalogues_update
  COMMAND ${translations}/update-catalogues.sh ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}
  VERBATIM)
add_dependencies(update_translations zubbo_catalogues_update)
