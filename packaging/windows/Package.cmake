# SPDX-License-Identifier: Apache-2.0
# The Windows installer: the window program and mvt, the Qt runtime files that windeployqt finds
# for them, and the note on the CP210x driver. In the build tree: `cpack -G NSIS` (or `-G WIX`).
# The programs install themselves (their own install rules); this adds what Windows needs beside.
foreach(program software-update-system mvt)
  # Runs windeployqt on the installed program: Qt's DLLs, the platform and serial-port plugins.
  qt_generate_deploy_app_script(TARGET ${program} OUTPUT_SCRIPT deploy NO_TRANSLATIONS)
  install(SCRIPT ${deploy})
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/CP210x-driver.txt DESTINATION .)

set(CPACK_PACKAGE_NAME "Software Update System")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Software Update System maintainers")
set(CPACK_PACKAGE_CONTACT ${SUS_PACKAGE_MAINTAINER})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Software Update System")
set(CPACK_PACKAGE_EXECUTABLES "software-update-system;Software Update System")
set(CPACK_RESOURCE_FILE_README ${CMAKE_CURRENT_LIST_DIR}/CP210x-driver.txt)
set(CPACK_GENERATOR NSIS)
set(CPACK_NSIS_DISPLAY_NAME "Software Update System")
set(CPACK_NSIS_MENU_LINKS "CP210x-driver.txt" "CP210x driver")
# One upgrade code for every version, so that a new installer replaces the old one.
set(CPACK_WIX_UPGRADE_GUID 1DAE9BB1-D7CB-4507-85FD-4E3BC288B76E)
include(CPack)
