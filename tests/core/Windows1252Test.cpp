// SPDX-License-Identifier: Apache-2.0
#include "core/Windows1252.h"

#include <gtest/gtest.h>

namespace sus {
namespace {

TEST(Windows1252, ConvertsOneCharacterPerByte)
{
    EXPECT_EQ(windows1252ToUtf8("Design By:  "), "Design By:  ");
    EXPECT_EQ(windows1252ToUtf8("\x80\x96\x9F"), "\u20AC\u2013\u0178");           // the remapped range
    EXPECT_EQ(windows1252ToUtf8("\xA0\xB0\xF6\xFF"), "\u00A0\u00B0\u00F6\u00FF"); // Latin-1 range
    EXPECT_EQ(windows1252ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Windows1252, UndefinedBytesBecomeTheirControlCharacters)
{
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

} // namespace
} // namespace sus
