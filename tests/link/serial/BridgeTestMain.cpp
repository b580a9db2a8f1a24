// SPDX-License-Identifier: Apache-2.0
// The tests of the serial backend over the model bridge: the program runs under the device
// testbed's preload library, so that Qt's port enumeration sees the testbed's USB serial ports,
// and with an application object, for Qt Serial Port and the timers.

#include "tests/bridge/DeviceTestbed.h"

#include <QCoreApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    sus::bridge::runUnderDeviceTestbed(argv);
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
