// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dmx/ChannelLayout.h"

namespace sus {

// Where fader column k (1 to 16) stands: its track bar inside Panel1, and its channel name and
// level read-out on the "DMX" page.
struct FaderColumnPlace {
    int faderLeft; // in Panel1
    int faderWidth;
    int nameLeft;    // on the page
    int readoutLeft; // on the page
};

FaderColumnPlace faderColumnPlace(int column);

} // namespace sus
