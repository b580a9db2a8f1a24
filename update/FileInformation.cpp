#include "update/FileInformation.h"

#include "core/HexText.h"

namespace sus {
namespace {

// The panel takes each line as a zero-terminated text.
std::string untilZero(std::string_view text)
{
    return std::string(text.substr(0, text.find('\0')));
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

InformationLines fileInformationLines(const UpdateImage& image)
{
    const std::uint8_t key = DeriveImageKey(image.keyBytes());
    const std::uint8_t version = image.newVersion(key);

    return {
        "Function:",
        "  " + untilZero(image.functionText()),
        "New Version: V" + hexDigit(version >> 4) + "." + hexDigit(version) + "." +
            hexByte(image.newRevision(key)) +
            "           Update Version: " + versionList(version, image.updatableVersions(key)),
        "Design By:  " + untilZero(image.designerText()),
    };
}

} // namespace sus
