# The program's translations: translations/zorvik_<language>.ts, kept up to date by lupdate
# (scripts/translations.sh --update, or the update_translations target) and translated with Qt
# Linguist. The build compiles them with lrelease and embeds the .qm files in zorvik_gui under :/i18n,
# where src/shell/Translations.cpp looks for them. lupdate reads every source of src/, the core's
# included, and writes no source locations, so that a moved line never changes a translation file.

find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
file(GLOB ZORVIK_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/zorvik_*.ts)
file(GLOB_RECURSE ZORVIK_TRANSLATED_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp
     ${PROJECT_SOURCE_DIR}/src/*.h)
qt_add_translations(zorvik_gui TS_FILES ${ZORVIK_TS_FILES} RESOURCE_PREFIX /i18n
                    SOURCES ${ZORVIK_TRANSLATED_SOURCES} LUPDATE_OPTIONS -locations none)
