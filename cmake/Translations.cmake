# zwmap's translations. translations/zwmap_<language>.ts is the source of truth, kept in the
# repository: developers bring it up to date with the sources through the target
# update-translations (lupdate) and translate what it marks unfinished. The build only reads it:
# lrelease makes the .qm that the program carries as a resource (:/i18n/zwmap_<language>.qm).
set(ZW_LANGUAGES de)
set(ZW_TS_FILES)
foreach(language ${ZW_LANGUAGES})
  list(APPEND ZW_TS_FILES ${PROJECT_SOURCE_DIR}/translations/zwmap_${language}.ts)
endforeach()

# Qt 6's tools first: a lupdate on the PATH may be Qt 5's.
set(ZW_QT_TOOL_DIRS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}
    ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/bin /usr/lib/qt6/libexec)
find_program(ZW_LRELEASE NAMES lrelease lrelease-qt6 PATHS ${ZW_QT_TOOL_DIRS} NO_DEFAULT_PATH)
find_program(ZW_LRELEASE NAMES lrelease-qt6 lrelease)
find_program(ZW_LUPDATE NAMES lupdate lupdate-qt6 PATHS ${ZW_QT_TOOL_DIRS} NO_DEFAULT_PATH)
find_program(ZW_LUPDATE NAMES lupdate-qt6 lupdate)
if(NOT ZW_LRELEASE OR NOT ZW_LUPDATE)
  message(FATAL_ERROR "Qt 6's lrelease and lupdate were not found: scripts/setup installs "
                      "them (qt6-l10n-tools)")
endif()

set(ZW_QM_DIR ${PROJECT_BINARY_DIR}/translations)
set(ZW_QM_FILES)
foreach(ts ${ZW_TS_FILES})
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${ZW_QM_DIR}/${name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZW_QM_DIR}
    COMMAND ${ZW_LRELEASE} -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    COMMENT "Compiling the translation ${name}" VERBATIM)
  list(APPEND ZW_QM_FILES ${qm})
endforeach()
set_source_files_properties(${ZW_QM_FILES} PROPERTIES GENERATED TRUE)
qt_add_resources(zwqt zw_translations PREFIX /i18n BASE ${ZW_QM_DIR} FILES ${ZW_QM_FILES})

# Every translatable text in src/: the core's marked ones and the widgets' own.
set(ZW_LUPDATE_ARGS -silent -locations none -no-obsolete -extensions cpp,h
    ${PROJECT_SOURCE_DIR}/src)
add_custom_target(update-translations
  COMMAND ${ZW_LUPDATE} ${ZW_LUPDATE_ARGS} -ts ${ZW_TS_FILES}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Bringing translations/*.ts up to date with the sources" VERBATIM)
