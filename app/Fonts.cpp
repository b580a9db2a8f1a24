// SPDX-License-Identifier: Apache-2.0
#include "app/Fonts.h"

namespace sus {

namespace {
// Liberation Sans has Arial's metrics; the bitmap MS Sans Serif has no outline twin, and Liberation
// Sans comes closest to its widths at the sizes used.
constexpr char kSubstituteFamily[] = "Liberation Sans";
} // namespace

QFont pixelFont(const char* family, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void installFontSubstitutes()
{
    for (const char* family : {kFormFontFamily, kArialFamily})
        QFont::insertSubstitution(QString::fromLatin1(family), QString::fromLatin1(kSubstituteFamily));
}

} // namespace sus
