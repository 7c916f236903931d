# Read by cpack before it packs. Without these tools CPack would quietly leave out the
# libraries the program needs from the package's Depends.
# CPackDeb asks for a program that can be run, not merely read.
cmake_policy(SET CMP0109 NEW)
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
    find_program(DOVANEL_SHLIBDEPS dpkg-shlibdeps)
    find_program(DOVANEL_FILE file)
    if(NOT DOVANEL_SHLIBDEPS OR NOT DOVANEL_FILE)
        message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps and file: "
                            "apt-get install dpkg-dev file")
    endif()
endif()
