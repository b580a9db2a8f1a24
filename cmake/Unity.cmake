# SPDX-License-Identifier: Apache-2.0
# The presets build the targets as unity builds (CMAKE_UNITY_BUILD): a target's sources compiled
# together, a few to a unit, so that the Qt and GoogleTest headers are read once a unit rather than
# once a source. Names at namespace scope in a target's sources must therefore differ from source to
# source.
# sus_own_unit(<target> <sources...>): sources compiled on their own, since what they bring in would
# reach the sources after them in a shared unit (a using-directive, <windows.h>'s macros) or meet
# what the sources before them brought in (glib's members named as Qt's macros).
function(sus_own_unit target)
  set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()
