# Install rules and the Debian package.
#
# Layout below the prefix:
#   bin/dovanel                       launcher: runs the program in the user's own folder,
#                                     which holds the practice texts it reads and writes
#   libexec/dovanel                   the program
#   share/dovanel/*.txt               the practice texts the launcher copies from
#   share/dovanel/help/index.html     the help page
#   share/applications, share/metainfo, share/icons   desktop integration
include(GNUInstallDirs)

set(DOVANEL_APP_ID io.github.dovanel)
set(_dovanel_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_dovanel_data ${PROJECT_SOURCE_DIR}/data)

foreach(_dir LIBEXECDIR DATADIR BINDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${_dir}}")
        message(FATAL_ERROR "CMAKE_INSTALL_${_dir} must be relative to the prefix")
    endif()
endforeach()

# The About dialog looks for <program's folder>/../share/dovanel/help/index.html, so the
# program sits one folder below the prefix, right beside share/.
cmake_path(SET _dovanel_help_seen NORMALIZE "/p/${CMAKE_INSTALL_LIBEXECDIR}/../share/dovanel/help")
cmake_path(SET _dovanel_help_installed NORMALIZE "/p/${CMAKE_INSTALL_DATADIR}/dovanel/help")
if(NOT _dovanel_help_seen STREQUAL _dovanel_help_installed)
    message(FATAL_ERROR "The help page would not be found with CMAKE_INSTALL_LIBEXECDIR="
        "'${CMAKE_INSTALL_LIBEXECDIR}' and CMAKE_INSTALL_DATADIR='${CMAKE_INSTALL_DATADIR}': "
        "the program looks for ../share/dovanel/help beside its own folder")
endif()

install(TARGETS dovanel RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR})
# The charts' library (results and journal), which the program opens from its own folder.
install(TARGETS dovanel_chart LIBRARY DESTINATION ${CMAKE_INSTALL_LIBEXECDIR})
install(FILES ${_dovanel_data}/beginner.txt ${_dovanel_data}/middle.txt
              ${_dovanel_data}/advance.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/dovanel)
install(DIRECTORY ${_dovanel_data}/help DESTINATION ${CMAKE_INSTALL_DATADIR}/dovanel)
install(FILES ${_dovanel_packaging}/${DOVANEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_dovanel_packaging}/${DOVANEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_dovanel_packaging}/dovanel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# GPL-3.0-or-later, stated where Debian looks for it.
install(FILES ${_dovanel_packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The launcher names the program and the texts by absolute path. The prefix is only known
# when installing (`cmake --install --prefix`; CPack's DEB installs to /usr below a staging
# DESTDIR), so the launcher is written then.
set(_dovanel_launcher_code [[
    # The paths go between single quotes in the script.
    set(DOVANEL_PROGRAM_PATH "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_LIBEXECDIR@/dovanel")
    set(DOVANEL_TEXT_DIR "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/dovanel")
    string(REPLACE "'" "'\\''" DOVANEL_PROGRAM_PATH "${DOVANEL_PROGRAM_PATH}")
    string(REPLACE "'" "'\\''" DOVANEL_TEXT_DIR "${DOVANEL_TEXT_DIR}")
    # One staging file per destination: a test may install while a package is made.
    string(MD5 _where "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    set(_staged "@CMAKE_BINARY_DIR@/dovanel-launcher/${_where}")
    configure_file("@_dovanel_launcher_template@" "${_staged}/dovanel" @ONLY)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@" TYPE PROGRAM
         FILES "${_staged}/dovanel")
    file(REMOVE_RECURSE "${_staged}")
]])
set(_dovanel_launcher_template ${_dovanel_packaging}/dovanel-launcher.sh)
string(CONFIGURE "${_dovanel_launcher_code}" _dovanel_launcher_code @ONLY)
install(CODE "${_dovanel_launcher_code}")

# The Debian package: `make package`.
set(DOVANEL_PACKAGE_MAINTAINER "The dovanel developers <dovanel@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dovanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The dovanel developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_PACKAGE_CONTACT "${DOVANEL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch typing practice for Japanese (JIS) keyboards")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "dovanel shows practice lines and an on-screen JIS keyboard that marks the next\n"
    "key and the finger to press it with. After each round it shows the time,\n"
    "mistake rate, typing speed and score, charts the last ten results and keeps\n"
    "the best score of each level. Every user gets editable copies of the practice\n"
    "texts in ~/.local/share/dovanel.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DOVANEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window designs name Japanese gothic fonts that IPA Gothic stands in for, and without
# a platform plugin (only recommended by libqt6gui6) no window can open. The journal's SQLite
# driver is a plugin too, which no library dependency brings. The beep opens libcanberra at
# run time, so dpkg-shlibdeps cannot see it; its PulseAudio backend (which PipeWire serves
# too) is what a desktop usually has.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, qt6-qpa-plugins, libqt6sql6-sqlite, libcanberra0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcanberra-pulse")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PROJECT_CONFIG_FILE ${_dovanel_packaging}/cpack-checks.cmake)
include(CPack)
