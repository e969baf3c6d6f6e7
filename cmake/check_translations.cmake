# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a translation lacks a text of the code: each .ts is brought up to
# date from the sources in a copy, which must then hold no unfinished entry.
# SOURCES and TRANSLATIONS name files that list the build's sources and .ts
# files, one path a line.
# cmake -DLUPDATE=... -DSOURCES=... -DTRANSLATIONS=... -DWORK_DIR=... -P check_translations.cmake
file(STRINGS ${SOURCES} sources)
file(STRINGS ${TRANSLATIONS} translations)
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
if(failed)
    message(FATAL_ERROR "translations incomplete")
endif()
