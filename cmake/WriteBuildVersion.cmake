# SPDX-License-Identifier: Apache-2.0
# Writes the header that --version reads: the project version and, when the sources are a git checkout
# of their own, the commit they are at. Run at every build (cmake -P) rather than at configure time, so
# that a build after a new commit does not name the old one; the header is rewritten only when it changes,
# so nothing recompiles otherwise.
#   cmake -DSOURCE_DIR=... -DVERSION=... -DOUTPUT=... -P WriteBuildVersion.cmake
set(commit "")
find_package(Git QUIET)
if(GIT_FOUND)
  # Sources unpacked inside some other repository must not take that repository's commit.
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --show-toplevel
    OUTPUT_VARIABLE top RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT failed)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE_DIR}" source)
    if(top STREQUAL source)
      execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" describe --always --dirty --abbrev=12
        OUTPUT_VARIABLE commit RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(failed)
        set(commit "")
      endif()
    endif()
  endif()
endif()

set(text "// Written by cmake/WriteBuildVersion.cmake at build time.
#pragma once
namespace sus {
inline constexpr char kProjectVersion[] = \"${VERSION}\";
inline constexpr char kBuildCommit[] = \"${commit}\"; // empty: not built from a git checkout
} // namespace sus
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
