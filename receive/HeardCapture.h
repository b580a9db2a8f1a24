// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/WireWrite.h"
#include "receive/HeardItems.h"

#include <vector>

namespace sus {

// What a receiver heard, as the writes that would put it on the line, for the same captures as a
// sending command saves: characters that follow each other with the same ninth bit form one write
// at the line's rate (mark parity for ninth bit 1, space for 0), and a break is the zero byte
// at the break rate.
class HeardCapture : public CharacterListener {
public:
    void onBreak(std::int64_t startNs, std::int64_t endNs) override;
    void onCharacter(const WireCharacter& c) override;

    const std::vector<WireWrite>& writes() const { return writes_; }

private:
    std::vector<WireWrite> writes_;
    bool lastWasCharacter_ = false;
};

} // namespace sus
