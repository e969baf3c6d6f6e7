# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# cmake -DCHANGELOG=debian/changelog -DVERSION=x.y -P check_version.cmake
# fails when the changelog's newest upstream version is not VERSION, the
# project's: the two places a release is typed must agree.
include(${CMAKE_CURRENT_LIST_DIR}/changelog.cmake)
brindlecot_read_changelog(${CHANGELOG} changelog_version changelog_date)
if(NOT changelog_version STREQUAL VERSION)
    message(FATAL_ERROR "${CHANGELOG} is at ${changelog_version}, CMakeLists.txt's project() at ${VERSION}")
endif()
message(STATUS "version ${VERSION} of ${changelog_date} in both CMakeLists.txt and ${CHANGELOG}")
