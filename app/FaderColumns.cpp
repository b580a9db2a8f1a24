// SPDX-License-Identifier: Apache-2.0
#include "app/FaderColumns.h"

namespace sus {

namespace {
constexpr int kColumnPitch = 48;
constexpr int kColumnsPerGroup = 8;
constexpr int kGapBetweenGroups = 24;
constexpr int kPanelLeft = 64;    // Panel1 on the page: names stand under their fader's left edge
constexpr int kReadoutIndent = 4; // read-outs sit a little right of the name

constexpr int kFaderWidth = 45;
// Two columns were drawn narrower, and the layout keeps them so.
constexpr int kFirstFaderWidth = 41;
constexpr int kTenthFaderWidth = 37;
} // namespace

FaderColumnPlace faderColumnPlace(int column)
{
    const int index = column - 1;
    const int faderLeft = kColumnPitch * index + (index >= kColumnsPerGroup ? kGapBetweenGroups : 0);
    int width = kFaderWidth;
    if (column == 1)
        width = kFirstFaderWidth;
    else if (column == 10)
        width = kTenthFaderWidth;
    const int nameLeft = kPanelLeft + faderLeft;
    return {faderLeft, width, nameLeft, nameLeft + kReadoutIndent};
}

} // namespace sus
