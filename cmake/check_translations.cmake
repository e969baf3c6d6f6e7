# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a translation lacks a text of the code: each .ts is brought up to
# date from the sources in a copy, which must then hold no unfinished entry;
# and the same for the manual page's translations, translations/brindlecot.1.*.po.
# SOURCES and TRANSLATIONS name files that list the build's sources and its
# .ts and manual page .po files, one path a line.
# cmake -DLUPDATE=... -DPO4A_UPDATEPO=... -DMSGFMT=... -DSOURCE_DIR=... -DSOURCES=...
#       -DTRANSLATIONS=... -DWORK_DIR=... -P check_translations.cmake
file(STRINGS ${SOURCES} sources)
file(STRINGS ${TRANSLATIONS} listed)
set(translations ${listed})
list(FILTER translations INCLUDE REGEX "\\.ts$")
set(manual_translations ${listed})
list(FILTER manual_translations INCLUDE REGEX "\\.po$")
if(NOT translations OR NOT sources)
    message(FATAL_ERROR "no translations or no sources listed")
endif()
file(MAKE_DIRECTORY ${WORK_DIR})
set(failed FALSE)
foreach(ts IN LISTS translations)
    get_filename_component(name ${ts} NAME)
    configure_file(${ts} ${WORK_DIR}/${name} COPYONLY)
    execute_process(
        COMMAND ${LUPDATE} -silent -no-obsolete -locations none -tr-function-alias translate+=Translate
                ${sources} -ts ${WORK_DIR}/${name}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}")
    endif()
    file(STRINGS ${WORK_DIR}/${name} unfinished REGEX "type=\"unfinished\"")
    list(LENGTH unfinished count)
    if(count GREATER 0)
        message(SEND_ERROR "${name}: ${count} text(s) not translated; run "
                "cmake --build <build> --target update_translations and translate them in Qt Linguist")
        set(failed TRUE)
    endif()
endforeach()
foreach(po IN LISTS manual_translations)
    get_filename_component(name ${po} NAME)
    configure_file(${po} ${WORK_DIR}/${name} COPYONLY)
    execute_process(
        COMMAND ${PO4A_UPDATEPO} --format man --master-charset UTF-8
                --master ${SOURCE_DIR}/resources/brindlecot.1 --po ${WORK_DIR}/${name}
        WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE result)
    execute_process(COMMAND ${MSGFMT} --statistics -o /dev/null ${WORK_DIR}/${name}
        ERROR_VARIABLE statistics RESULT_VARIABLE format_result)
    if(NOT result EQUAL 0 OR NOT format_result EQUAL 0)
        message(FATAL_ERROR "po4a-updatepo or msgfmt failed on ${name}")
    endif()
    if(statistics MATCHES "fuzzy|untranslated")
        string(STRIP "${statistics}" statistics)
        message(SEND_ERROR "${name}: ${statistics}; run cmake --build <build> --target "
                "update_translations and translate the manual page's new paragraphs")
        set(failed TRUE)
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "translations incomplete")
endif()
