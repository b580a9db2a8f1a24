// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus::test {

// The one QCoreApplication of a serial test program, made on first use: Qt allows one per process,
// and every suite that opens a port needs it.
void ensureCoreApplication();

} // namespace sus::test
