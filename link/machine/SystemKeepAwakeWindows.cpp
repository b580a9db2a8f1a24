// SPDX-License-Identifier: Apache-2.0
#include "link/machine/SystemKeepAwake.h"

#include <windows.h>

namespace sus {

namespace {

// The thread that holds keeps the system from sleeping on idle until it releases.
class ExecutionStateKeepAwake final : public KeepAwake {
public:
    void hold(Answered answered) override
    {
        held_ = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
        if (held_)
            answered({true, {}});
        else
            answered({false, "Windows refused to keep the system awake (error " +
                                 std::to_string(GetLastError()) + ")"});
    }
    void release() override
    {
        if (held_)
            SetThreadExecutionState(ES_CONTINUOUS);
        held_ = false;
    }

private:
    bool held_ = false;
};

} // namespace

std::unique_ptr<KeepAwake> makeSystemKeepAwake(const std::string&)
{
    return std::make_unique<ExecutionStateKeepAwake>();
}

} // namespace sus
