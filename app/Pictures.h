// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QPixmap>

namespace sus {

// The pictures and button glyphs compiled into the program (assets/assets.qrc).
namespace pictures {
inline constexpr char kSplash[] = ":/pictures/splash.jpg";
inline constexpr char kUpdateBackground[] = ":/pictures/update-background.png";
inline constexpr char kUpdateLogo[] = ":/pictures/update-logo.png";
inline constexpr char kUpdateGlyph[] = ":/pictures/glyph-update.png";
inline constexpr char kExitGlyph[] = ":/pictures/glyph-exit.png";
inline constexpr char kOpenGlyph[] = ":/pictures/glyph-open.png";
inline constexpr char kStartGlyph[] = ":/pictures/glyph-start.png";
inline constexpr char kStopGlyph[] = ":/pictures/glyph-stop.png";
} // namespace pictures

// Loads one of the pictures above; throws std::runtime_error when it cannot be decoded, so that a
// broken build fails at start-up rather than showing empty windows.
QPixmap loadPicture(const char* path);

} // namespace sus
