// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/KeepAwake.h"

#include <string>
#include <utility>

namespace sus::test {

// Keeps nothing awake: notes whether the machine would be kept awake now, and answers each hold at
// once as it is told to.
class FakeKeepAwake final : public KeepAwake {
public:
    // Every hold from now on is refused with `why`; an empty `why` grants them again.
    void refuseWith(std::string why) { refusal_ = std::move(why); }

    void hold(Answered answered) override
    {
        ++holds;
        held = refusal_.empty();
        answered({held, refusal_});
    }
    void release() override { held = false; }

    bool held = false;
    int holds = 0;

private:
    std::string refusal_;
};

} // namespace sus::test
