# SPDX-License-Identifier: Apache-2.0
# sus_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>] [RUN_SERIAL])
# One GoogleTest executable, linked with the core and the shared test support, registered with CTest.
# RUN_SERIAL: its tests follow the wire in real time, so CTest runs them while no other test takes
# the processors (on two cores a busy neighbour delays a tick by tens of milliseconds).
# LABELS: for test presets that pick tests by what they exercise ("thread": the line's own thread).
function(sus_add_test name)
  cmake_parse_arguments(ARG "RUN_SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE sus_test_support sus_core GTest::gtest_main GTest::gmock ${ARG_LIBS})
  sus_enable_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" RUN_SERIAL ${ARG_RUN_SERIAL} LABELS "${ARG_LABELS}")
endfunction()
