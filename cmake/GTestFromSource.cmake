# SPDX-License-Identifier: Apache-2.0
# GoogleTest and GoogleMock built with the project's own compiler, from the sources Debian ships in
# the package googletest: a cross build has no GoogleTest for its target to find. Gives the same
# targets as find_package(GTest) (GTest::gtest_main, GTest::gmock and the rest, which GoogleTest's
# own build defines).
set(SUS_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources, built for the target")
if(NOT EXISTS ${SUS_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${SUS_GTEST_SOURCE_DIR} (Debian package googletest)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# MSVC: the same C runtime DLL as the project's own targets.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# SYSTEM: their headers are not held to the project's warnings.
add_subdirectory(${SUS_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

