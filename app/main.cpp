// SPDX-License-Identifier: Apache-2.0
#include "app/Application.h"
#include "app/WindowProgram.h"
#include "core/ProgramVersion.h"
#include "link/serial/SerialDeviceLayer.h"

int main(int argc, char* argv[])
{
    if (sus::printVersionIfAsked(argc, argv, "software-update-system"))
        return 0;
    sus::Application application(argc, argv);
    sus::SerialDeviceLayer devices;
    sus::WindowProgram program(devices);
    return program.run(application);
}
