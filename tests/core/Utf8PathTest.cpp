#include "core/Utf8Path.h"

#include <gtest/gtest.h>

namespace sus {
namespace {

// On Windows a narrow string means the ANSI code page: "é" in UTF-8 would turn into two characters
// there, and a character outside that page into '?'.
TEST(Utf8Path, NonAsciiCharactersReachThePathAsTheyAre)
{
    const std::filesystem::path path = pathFromUtf8("D\xC3\xA9mo Beam 7R \xE2\x9C\x93.MVT");
    EXPECT_EQ(path.u8string(), u8"D\u00e9mo Beam 7R \u2713.MVT");
    EXPECT_EQ(path.wstring(), L"D\u00e9mo Beam 7R \u2713.MVT");
    EXPECT_TRUE(pathFromUtf8("").empty());
}

} // namespace
} // namespace sus
