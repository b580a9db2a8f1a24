// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QFont>

namespace sus {

// The families the windows ask for by name. On systems without them, metric-compatible
// substitutes keep texts the width the layout was drawn for.
inline constexpr char kFormFontFamily[] = "MS Sans Serif";
inline constexpr char kArialFamily[] = "Arial";
inline constexpr int kFormFontPixels = 11;

// A font by family and character height in pixels.
QFont pixelFont(const char* family, int pixels, bool bold = false);

// The window font: "MS Sans Serif", 11 px, regular.
inline QFont formFont()
{
    return pixelFont(kFormFontFamily, kFormFontPixels);
}

// Maps the families above to the Liberation fonts that Debian's fonts-liberation brings.
void installFontSubstitutes();

} // namespace sus
