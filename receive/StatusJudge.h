// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/AdapterFamily.h"
#include "receive/HeardItems.h"
#include "receive/MarkedStream.h"
#include "receive/StructureReader.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sus {

// Reads the items of a stream as the adapter's status allows, and where the marks are taken to be
// per character, watches for the signs that they are not, switching once to reading by the line's
// structure (bytes checked, ninth bits not) with one line saying why:
//   more marked items in a row than this line ever marks per character (an adapter that flags a
//   whole USB packet for one error);
//   more unmarked characters in a row than this line ever carries without a break or a packet
//   start, both of which come marked (an adapter that reports no parity errors).
// The items that may yet turn out to be such a run are held back until they cannot, so nothing is
// read the wrong way before the switch.
class StatusJudge final : public MarkedItemListener {
public:
    using Say = std::function<void(const std::string&)>;

    StatusJudge(CharacterListener& listener, LineStatus assumed, Say say);

    void onItem(const MarkedItem& item) override;
    void onEnd() override;

    LineStatus status() const { return status_; }
    bool ninthBitsChecked() const { return status_ == LineStatus::PerCharacter; }
    // Characters and breaks read, both ways together.
    ReadCounts counts() const;
    // Items the adapter marked, whatever they turned out to be.
    std::size_t marked() const { return marked_; }

private:
    void release();
    void readByStructure(LineStatus status);

    CharacterListener& listener_;
    Say say_;
    LineStatus status_;
    PerCharacterReader perCharacter_;
    std::optional<StructureReader> structure_;
    std::vector<MarkedItem> held_; // one run: all marked or all unmarked
    std::size_t marked_ = 0;
};

} // namespace sus
