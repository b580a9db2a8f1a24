// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/Application.h"

#include <QString>

#include <vector>

namespace sus::test {

// The one Qt application of the test executable, made before the first test runs. Its error box
// records instead of showing.
Application& application();

// The texts shown in the error box since the last call.
std::vector<QString> takeShownErrors();

} // namespace sus::test
