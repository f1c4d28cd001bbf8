# The programs' texts are written in Finnish, their own language, and translated into Swedish and
# English with Qt's machinery: each catalogue NAME holds the texts of its sources in
# translations/NAME_sv.ts and translations/NAME_en.ts, which Qt Linguist opens. The build
# compiles them (lrelease) into the target's resources as :/i18n/NAME_<code>.qm.
# `cmake --build build --target update_translations` brings the .ts files up to date with the
# sources (lupdate); tests/translations checks that none is behind and every text is translated.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(VUSKA_LANGUAGES sv en)
set(VUSKA_LUPDATE_OPTIONS -locations none -no-obsolete -source-language fi)

function(vuska_add_catalogue target name)
  set(ts_files)
  foreach(language IN LISTS VUSKA_LANGUAGES)
    list(APPEND ts_files ${PROJECT_SOURCE_DIR}/translations/${name}_${language}.ts)
  endforeach()
  qt_add_translations(${target} TS_FILES ${ts_files} SOURCES ${ARGN} RESOURCE_PREFIX /i18n
                      LUPDATE_OPTIONS ${VUSKA_LUPDATE_OPTIONS} LRELEASE_OPTIONS -silent)
  set_property(GLOBAL APPEND PROPERTY VUSKA_CATALOGUES "${name}")
  set_property(GLOBAL PROPERTY VUSKA_CATALOGUE_TARGET_${name} ${target})
endfunction()
