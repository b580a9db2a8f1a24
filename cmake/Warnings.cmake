# SPDX-License-Identifier: Apache-2.0
# One place for the warning flags of every target of the project.
function(sus_enable_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
    if(SUS_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(SUS_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# Qt targets: moc and resources, and the same warnings as everything else.
function(sus_qt_target target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  sus_enable_warnings(${target})
endfunction()
