// SPDX-License-Identifier: Apache-2.0
#include "update/FileInformation.h"

#include "core/HexText.h"
#include "core/Windows1252.h"

namespace sus {
namespace {

// A stored text as a line shows it: up to its first zero byte, as the panel always took it, and
// each other control byte as a blank. A line break there would start a fifth line in a panel of
// four, and a terminal would obey the controls of a text that `mvt info` prints.
std::string shownText(std::string_view text)
{
    std::string shown(text.substr(0, text.find('\0')));
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return shown;
}

} // namespace

std::string versionList(std::uint8_t newVersion,
                        const std::array<std::uint8_t, update_file::kUpdatableVersionsCount>& updatable)
{
    std::string list = "V" + hexByte(newVersion);
    for (std::uint8_t version : updatable) {
        if (version == update_file::kEveryVersion)
            return "All Version can update!";
        if (version != update_file::kEmptyVersionSlot)
            list += ",V" + hexByte(version);
    }
    return list;
}

std::string newVersionText(const UpdateImage& image)
{
    const std::uint8_t key = DeriveImageKey(image.keyBytes());
    const std::uint8_t version = image.newVersion(key);
    return "V" + hexDigit(version >> 4) + "." + hexDigit(version) + "." + hexByte(image.newRevision(key));
}

InformationFields informationFields(const UpdateImage& image)
{
    const std::uint8_t key = DeriveImageKey(image.keyBytes());
    return {shownText(image.functionText()), newVersionText(image),
            versionList(image.newVersion(key), image.updatableVersions(key)),
            shownText(image.designerText())};
}

InformationLines fileInformationLines(const UpdateImage& image)
{
    const InformationFields fields = informationFields(image);
    return {
        "Function:",
        "  " + fields.function,
        "New Version: " + fields.newVersion + "           Update Version: " + fields.updateVersions,
        "Design By:  " + fields.designer,
    };
}

std::vector<std::string> shownInformationLines(const UpdateImage& image)
{
    std::vector<std::string> lines;
    for (const std::string& line : fileInformationLines(image))
        lines.push_back(windows1252ToUtf8(line));
    return lines;
}

} // namespace sus
