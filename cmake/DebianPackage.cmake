# SPDX-License-Identifier: Apache-2.0
# The Debian package, `cpack -G DEB` in a build tree: what `cmake --install` puts, under /usr.
# The package's changelog must have an entry for the version it is built as.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^software-update-system \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog.in has no entry for version ${PROJECT_VERSION} at its top.")
endif()

set(CPACK_PACKAGE_NAME software-update-system)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "firmware update and DMX channel test for lighting fixtures")
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop tool with which a lighting service technician updates the firmware\n"
  "of DMX fixtures and tests a fixture's DMX channels, through a USB controller\n"
  "built on a CP210x USB-to-UART bridge (USB id 10C4:FF01). It holds the window\n"
  "program, the command-line companion mvt, and the udev rule that gives the\n"
  "controller its serial port.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT ${SUS_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SUS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows keep their layout only with Liberation Sans, which the program asks for by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)

set(maintainer_scripts ${CMAKE_BINARY_DIR}/debian)
foreach(script postinst postrm)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/reload-udev-rules ${maintainer_scripts}/${script} COPYONLY)
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${maintainer_scripts}/postinst ${maintainer_scripts}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
