// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace sus {

// A message as it always read, with what explains it underneath: each detail that is not empty on
// a line of its own, in the order given.
std::string withDetailLines(std::string_view message, std::initializer_list<std::string_view> details);

} // namespace sus
