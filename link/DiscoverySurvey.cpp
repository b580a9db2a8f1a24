// SPDX-License-Identifier: Apache-2.0
#include "link/DiscoverySurvey.h"

#include "core/HexText.h"
#include "link/ControllerUsbId.h"
#include "link/LinkFaultText.h"

namespace sus {

namespace {

// The window looks for the controller once, at its start; a command of mvt looks each time it runs.
constexpr const char* kRestart = "A controller attached later is found when the program starts again.";
constexpr const char* kRunAgain = "Once a controller is attached, run the command again.";

std::string nothingOfItsKind()
{
    return "No USB serial device of the controller's kind (USB vendor " + hexWord(kControllerVendorId) +
           ") is attached: check the controller's USB cable, and that the system has the driver of its "
           "CP210x USB-UART bridge.";
}

std::string otherDevicesText(const DiscoverySurvey& survey)
{
    std::string text = "Other USB serial devices attached: ";
    for (std::size_t i = 0; i < survey.otherDevices.size(); ++i)
        text += (i == 0 ? "" : ", ") + survey.otherDevices[i];
    return text + ".";
}

std::string deviceText(const SeenDevice& device)
{
    if (!device.ids)
        return device.port + " could not be opened. " + faultReason(device.fault);
    return device.port + " is a USB-UART of the controller's kind but not the controller (USB id " +
           hexWord(device.ids->vendor) + ":" + hexWord(device.ids->product) + ").";
}

} // namespace

std::string whyNoController(const DiscoverySurvey& survey)
{
    std::string text;
    if (survey.family.empty())
        text += nothingOfItsKind() + "\n";
    for (const SeenDevice& device : survey.family)
        text += deviceText(device) + "\n";
    if (!survey.otherDevices.empty())
        text += otherDevicesText(survey) + "\n";
    return text + kRunAgain;
}

std::string whyNoControllerBriefly(const DiscoverySurvey& survey)
{
    // The device that could not be opened says the most: its fix; then a bridge that is not the
    // controller; then nothing of the kind at all.
    for (const SeenDevice& device : survey.family) {
        if (!device.ids)
            return "No controller: " + deviceText(device) + "\n" + kRestart;
    }
    if (!survey.family.empty())
        return "No controller: " + deviceText(survey.family.front()) + "\n" + kRestart;
    return "No controller: no USB serial device of its kind is attached. Check the USB cable and the "
           "driver.\n" +
           std::string(kRestart);
}

} // namespace sus
