#include "app/Application.h"
#include "app/WindowProgram.h"
#include "link/serial/SerialDeviceLayer.h"

int main(int argc, char* argv[])
{
    sus::Application application(argc, argv);
    sus::SerialDeviceLayer devices;
    sus::WindowProgram program(devices);
    return program.run(application);
}
