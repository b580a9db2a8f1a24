// SPDX-License-Identifier: Apache-2.0
// Writes the demo update files into the folder given as the only argument (examples/ of the
// repository) and prints each file's name and password. The files are synthetic: their images are
// a counting pattern, not firmware.
#include "tests/support/UpdateFileBuilder.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

std::vector<std::uint8_t> pattern(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
    return bytes;
}

struct Example {
    const char8_t* name;
    sus::test::UpdateFileBuilder file;
};

} // namespace

constexpr const char* kUsage = "Usage: write-example-files FOLDER\n"
                               "Writes the demo update files into FOLDER (examples/ of the repository) and "
                               "prints each file's name and password.\n";

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "write-example-files: name the folder to write into.\n%s", kUsage);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "write-example-files: \"%s\" is not a folder%s%s. Name one that exists.\n",
                     argv[1], error ? ": " : "", error ? error.message().c_str() : "");
        return 2;
    }
    using sus::test::UpdateFileBuilder;
    const std::vector<Example> examples = {
        {u8"Demo Spot 575.MVT", UpdateFileBuilder()
                                    .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
                                    .functionText("Spot 575 \x96 Pan/Tilt 16 bit, Gobo wheel, Prism")
                                    .designerText("M. Sch\xF6n")
                                    .newVersion(0x12, 0x05)
                                    .updatableVersions({0x11, 0x00, 0x10})
                                    .pause(1, 20)
                                    .handshakeTail(0x4D, 0x56)
                                    .imageData(pattern(3000))},
        {u8"Demo Wash LED.MVT", UpdateFileBuilder()
                                    .keyBytes({0xC3, 0x00, 0x41, 0xC3, 0x8E, 0x2B})
                                    .functionText("Wash LED RGBW \x96 Zoom 8\xB0\x96"
                                                  "45\xB0, Dimmer curve")
                                    .designerText("Lab 2")
                                    .newVersion(0x20, 0x01)
                                    .updatableVersions({0x10, 0x11, 0xFF})
                                    .imageData(pattern(1000))},
        {u8"D\u00e9mo Beam 7R.MVT", UpdateFileBuilder()
                                        .keyBytes({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB})
                                        .functionText("Beam 7R, header only (no image data)")
                                        .designerText("Lab 3")
                                        .newVersion(0xAB, 0x10)},
    };
    for (const Example& example : examples) {
        try {
            example.file.writeTo(folder / example.name);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "write-example-files: %s.\n", failure.what());
            return 1;
        }
        std::printf("%s  password %s\n", sus::test::utf8Of(example.name).c_str(),
                    example.file.password().c_str());
    }
    return 0;
}
