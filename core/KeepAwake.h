// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <functional>
#include <string>

namespace sus {

// Keeps the machine from going to sleep or idle while an update run goes on: a laptop that sleeps
// mid-file cuts the controller off and leaves half an image in the fixture. The programs ask the
// system (link/machine/); tests use a fake.
class KeepAwake {
public:
    struct Answer {
        bool held = false;
        std::string whyNot; // when not held: why, in the system's words
    };
    using Answered = std::function<void(const Answer&)>;

    virtual ~KeepAwake() = default;

    // Asks for the machine to stay awake until release(). `answered` is told once, on the caller's
    // thread, at once or when the system has answered; not at all when release() came first.
    virtual void hold(Answered answered) = 0;
    // Lets the machine sleep again; nothing when nothing is held.
    virtual void release() = 0;
};

// Why the programs keep the machine awake, as the system lists it.
inline constexpr const char* kKeepAwakeReason = "Updating fixture firmware";

} // namespace sus
