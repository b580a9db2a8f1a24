// SPDX-License-Identifier: Apache-2.0
#include "update/FileInformation.h"
#include "update/UpdateFileReader.h"
#include "update/UpdateFiles.h"

#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

namespace sus {
namespace {

// The demo files of examples/ open with the passwords the README gives for them.
TEST(ExampleFiles, OpenWithTheirPublishedPasswords)
{
    const std::filesystem::path examples(SUS_EXAMPLES_DIR);
    struct Example {
        const char8_t* name;
        const char* password;
        const char* versionLine;
    };
    for (const Example& e : {
             Example{u8"Demo Spot 575.MVT", "452DB8",
                     "New Version: V1.2.05           Update Version: V12,V11,V10"},
             Example{u8"Demo Wash LED.MVT", "004DE8",
                     "New Version: V2.0.01           Update Version: All Version can update!"},
             Example{u8"D\u00e9mo Beam 7R.MVT", "6688AA",
                     "New Version: VA.B.10           Update Version: VAB"},
         }) {
        UpdateFiles files;
        files.setCurrentFilePath(test::utf8Of(examples / e.name));
        files.setTypedPassword(e.password);
        EXPECT_EQ(files.PrepareUpdateFile(), PrepareResult::Ready) << e.password << files.failureReason();
        EXPECT_EQ(fileInformationLines(files.updateImage())[2], e.versionLine);
    }
}

} // namespace
} // namespace sus
