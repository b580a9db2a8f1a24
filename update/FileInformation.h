// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateImage.h"

#include <array>
#include <string>
#include <vector>

namespace sus {

// The four lines of the information panel about a file, as Windows-1252 bytes (the file's texts
// are taken as stored; a zero byte ends what a line shows, and any other control byte, such as a
// line break, shows as a blank). Uses the file's own derived key, so
// no password is needed to look at a file.
//   1 "Function:"
//   2 two blanks and the function text
//   3 "New Version: Vm.n.rr", eleven blanks, "Update Version: " and the version list
//   4 "Design By:  " and the designer text
using InformationLines = std::array<std::string, 4>;
// What the lines show, field by field, as Windows-1252 bytes.
struct InformationFields {
    std::string function;
    std::string newVersion;     // "Vm.n.rr"
    std::string updateVersions; // the version list
    std::string designer;
};
InformationFields informationFields(const UpdateImage& image);
InformationLines fileInformationLines(const UpdateImage& image);
// The same lines as the panel shows them, in UTF-8.
std::vector<std::string> shownInformationLines(const UpdateImage& image);

// The version a file brings, as line 3 shows it: "Vm.n.rr".
std::string newVersionText(const UpdateImage& image);

// The version list of line 3: "V" and the new version, then ",V" and each updatable version that
// is not an empty slot, or "All Version can update!" alone as soon as a slot reads 0xFF.
std::string versionList(std::uint8_t newVersion,
                        const std::array<std::uint8_t, update_file::kUpdatableVersionsCount>& updatable);

} // namespace sus
