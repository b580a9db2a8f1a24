// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sus {

// One unit of an update run as it should be heard: a wake-up frame's zeros or a packet's bytes.
struct ExpectedUnit {
    bool wakeUp = false;
    std::vector<std::uint8_t> bytes;
};

// Checks what is heard against what should be: the update's wake-up frames and packets exactly
// and in order, and every DMX frame's start code and slots. Each check is made only when given;
// the first difference is kept, said plainly.
class LineExpectation : public LineListener {
public:
    LineExpectation(std::vector<ExpectedUnit> update, std::optional<std::vector<std::uint8_t>> dmxFrame);

    void onFrame(const WireFrame& frame) override;
    void onPacket(const WirePacket& packet) override;
    void onStray(const WireCharacter& character) override;
    // Nothing more will be heard.
    void finish();
    // Whether the ninth bits heard are the line's, to be named in a difference; otherwise only the
    // bytes are.
    void setNinthBitsChecked(bool checked) { ninthBitsChecked_ = checked; }

    // Whether anything is expected at all.
    bool checksAnything() const { return !update_.empty() || dmxFrame_.has_value(); }
    bool met() const { return !difference_; }
    const std::string& firstDifference() const { return *difference_; }

    struct Heard;

private:
    void compareUpdate(const Heard& heard);
    void compareDmx(const WireFrame& frame);
    void differ(std::string text);
    std::string expectedName(std::size_t unit) const;
    std::string characterText(std::uint8_t value, bool ninthBit) const;

    bool checksUpdate() const { return !update_.empty(); }

    std::vector<ExpectedUnit> update_;
    std::optional<std::vector<std::uint8_t>> dmxFrame_;
    std::size_t nextUnit_ = 0;
    bool updateStarted_ = false;
    std::size_t dmxFramesHeard_ = 0;
    // A packet heard shorter than expected: the character after it says why.
    std::optional<std::size_t> cutAt_;
    std::optional<std::string> difference_;
    bool ninthBitsChecked_ = true;
};

} // namespace sus
