// SPDX-License-Identifier: Apache-2.0
#include "tests/link/serial/CoreApplication.h"

#include <QCoreApplication>

namespace sus::test {

void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "link_serial_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

} // namespace sus::test
