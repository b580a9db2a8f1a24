// SPDX-License-Identifier: Apache-2.0
#include "app/demo/DemoReport.h"

#include "core/Executor.h"
#include "receive/ReceptionReport.h"
#include "receive/UpdateReceiver.h"
#include "sim/SimulatedController.h"
#include "sim/VirtualFixture.h"

#include <ostream>

namespace sus {

DemoReport::DemoReport(SimulatedController& controller, Executor& line, std::ostream& out)
    : controller_(controller), line_(line), out_(out)
{
}

void DemoReport::runStarted(std::vector<std::string> files)
{
    line_.post([this, files = std::move(files)] {
        files_ = files;
        running_ = true;
        forgetRecording();
    });
}

void DemoReport::runEnded()
{
    line_.post([this] {
        running_ = false;
        out_ << describeReception(UpdateReception::from(VirtualFixture::listen(controller_.txLine())), files_)
             << std::flush;
        forgetRecording();
    });
}

void DemoReport::forgetIdleTraffic()
{
    line_.post([this] {
        if (!running_)
            forgetRecording();
    });
}

void DemoReport::forgetRecording()
{
    controller_.clearTxLine();
    controller_.clearCalls();
}

} // namespace sus
