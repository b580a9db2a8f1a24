// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateFileLook.h"

#include <algorithm>
#include <cctype>

namespace sus {
namespace {

bool namedAsUpdateFile(const std::string& utf8Path)
{
    static constexpr std::string_view kEnding = ".mvt";
    if (utf8Path.size() < kEnding.size())
        return false;
    return std::ranges::equal(utf8Path.substr(utf8Path.size() - kEnding.size()), kEnding, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

bool printable(std::string_view text)
{
    return std::ranges::none_of(text.substr(0, text.find('\0')), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

} // namespace

std::string unlikeAnUpdateFile(const std::string& utf8Path, const UpdateImage& header)
{
    const bool named = namedAsUpdateFile(utf8Path);
    const bool texts = printable(header.functionText()) && printable(header.designerText());
    if (named && texts)
        return {};
    std::string why = "This does not look like an update file: ";
    if (!named)
        why += std::string("its name does not end in .MVT") + (texts ? "" : ", and ");
    if (!texts)
        why += "its header texts hold characters that are not printable";
    return why + ". Check that it is the file meant.";
}

} // namespace sus
