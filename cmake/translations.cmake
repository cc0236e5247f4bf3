# Compiles the interface translations and puts them into the resource bundle
# under ":/translations/". The .ts files are kept in git and refreshed from the
# sources with scripts/update-translations.sh; the .qm files exist only in the
# build tree.
#
# The bundle part is compiled into its own resource object named
# "translations"; initResourceBundle() (resources/bundle.h) registers it.

set(TRANSLATION_SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/resources/translations)
set(TRANSLATION_BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/translations)
set(TRANSLATION_NAMES Language_Ru Language_Eng Language_Esp)

file(MAKE_DIRECTORY ${TRANSLATION_BINARY_DIR})

set(TRANSLATION_QM_FILES)
set(TRANSLATION_QRC_ENTRIES)
foreach(name IN LISTS TRANSLATION_NAMES)
    set(ts ${TRANSLATION_SOURCE_DIR}/${name}.ts)
    set(qm ${TRANSLATION_BINARY_DIR}/${name}.qm)
    add_custom_command(
        OUTPUT ${qm}
        COMMAND Qt5::lrelease -silent ${ts} -qm ${qm}
        DEPENDS ${ts}
        COMMENT "Compiling translation ${name}"
        VERBATIM)
    list(APPEND TRANSLATION_QM_FILES ${qm})
    string(APPEND TRANSLATION_QRC_ENTRIES "        <file alias=\"${name}.qm\">${name}.qm</file>\n")
endforeach()

# Written through a scratch file so that an unchanged list leaves the .qrc (and
# with it the compiled bundle) untouched on every re-run of CMake.
set(TRANSLATION_QRC ${TRANSLATION_BINARY_DIR}/translations.qrc)
file(WRITE ${TRANSLATION_QRC}.in
    "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/translations\">\n"
    "${TRANSLATION_QRC_ENTRIES}"
    "    </qresource>\n</RCC>\n")
configure_file(${TRANSLATION_QRC}.in ${TRANSLATION_QRC} COPYONLY)

# rcc runs through our own rule rather than AUTORCC: the .qm files do not exist
# when CMake configures, and this rule names them as inputs, so every changed
# .ts is compiled first and the bundle rebuilt after it.
set(TRANSLATION_QRC_CPP ${TRANSLATION_BINARY_DIR}/qrc_translations.cpp)
add_custom_command(
    OUTPUT ${TRANSLATION_QRC_CPP}
    COMMAND Qt5::rcc --name translations --output ${TRANSLATION_QRC_CPP} ${TRANSLATION_QRC}
    DEPENDS ${TRANSLATION_QRC} ${TRANSLATION_QM_FILES}
    WORKING_DIRECTORY ${TRANSLATION_BINARY_DIR}
    COMMENT "Bundling translations"
    VERBATIM)
set_source_files_properties(${TRANSLATION_QRC_CPP} PROPERTIES SKIP_AUTOMOC ON SKIP_AUTOUIC ON)

list(APPEND CORE_RESOURCES ${TRANSLATION_QRC_CPP})
