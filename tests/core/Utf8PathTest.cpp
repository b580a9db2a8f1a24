// SPDX-License-Identifier: Apache-2.0
#include "core/Utf8Path.h"

#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

namespace sus {
namespace {

// On Windows a narrow string means the ANSI code page: "é" in UTF-8 would turn into two characters
// there, and a character outside that page into '?'.
TEST(Utf8Path, NonAsciiCharactersReachThePathAsTheyAre)
{
    const std::string utf8 = "D\xC3\xA9mo Beam 7R \xE2\x9C\x93.MVT";
    const std::filesystem::path path = pathFromUtf8(utf8);
    EXPECT_EQ(test::utf8Of(path), utf8);
#ifdef _WIN32
    EXPECT_EQ(path.native(), L"D\u00e9mo Beam 7R \u2713.MVT"); // what the system is given
#endif
    EXPECT_TRUE(pathFromUtf8("").empty());
}

} // namespace
} // namespace sus
