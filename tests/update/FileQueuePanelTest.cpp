// SPDX-License-Identifier: Apache-2.0
#include "update/FileQueuePanel.h"

#include "core/Utf8Path.h"
#include "tests/support/FakeUpdatePageView.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateFileReader.h"
#include "update/UpdateFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sus {
namespace {

using test::RecordingPresenter;
using test::UpdateFileBuilder;
using test::utf8Of;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::vector<std::string> kStartMemo{"IC Function:"};

class FileQueuePanelTest : public ::testing::Test {
protected:
    std::string write(const std::filesystem::path& name, std::string_view function)
    {
        return utf8Of(UpdateFileBuilder()
                          .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
                          .functionText(function)
                          .designerText("Lab \xB0")
                          .newVersion(0x12, 0x05)
                          .writeTo(dir / name));
    }
    std::vector<std::string> memoOf(const std::string& function) const
    {
        return {"Function:", "  " + function, "New Version: V1.2.05           Update Version: V12",
                "Design By:  Lab \u00B0"};
    }

    test::TempDir dir;
    test::FakeUpdatePageView view;
    RecordingPresenter presenter;
    bool controllerOk = true;
    FileQueuePanel panel{view, presenter, [this] { return controllerOk; }};

    const std::string spot = write(u8"Spot 1 – Gerät.MVT", "Spot \x96 one"); // blanks, non-ASCII name
    const std::string wash = write("wash.MVT", "Wash");
    const std::string missing = utf8Of(dir / "missing.MVT");
};

TEST_F(FileQueuePanelTest, AddingWithNothingSelectedQueuesAndShows)
{
    view.stopEnabled = true; // adding leaves Stop as it is (a run may be going on)
    panel.SpeedButton1Click(spot);
    EXPECT_THAT(view.files, ElementsAre(spot));
    EXPECT_EQ(view.selected, -1);
    EXPECT_EQ(view.memo, memoOf("Spot \u2013 one")); // Windows-1252 shown as its characters
    EXPECT_TRUE(view.startEnabled);
    EXPECT_TRUE(view.stopEnabled);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(FileQueuePanelTest, AddingWithTheFirstEntrySelectedOnlyQueues)
{
    panel.SpeedButton1Click(spot);
    view.selected = 0;
    view.memo = kStartMemo;
    view.startEnabled = false;

    panel.SpeedButton1Click(wash);
    panel.SpeedButton1Click(missing); // not even tried
    EXPECT_THAT(view.files, ElementsAre(spot, wash, missing));
    EXPECT_EQ(view.memo, kStartMemo);
    EXPECT_FALSE(view.startEnabled);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(FileQueuePanelTest, AddingWithALaterEntrySelectedShowsAndKeepsTheSelection)
{
    panel.SpeedButton1Click(spot);
    panel.SpeedButton1Click(spot); // the same path twice is two entries
    view.selected = 1;
    panel.SpeedButton1Click(wash);
    EXPECT_THAT(view.files, ElementsAre(spot, spot, wash));
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(view.memo, memoOf("Wash"));
}

TEST_F(FileQueuePanelTest, CancelledDialogChangesNothing)
{
    panel.SpeedButton1Click(std::nullopt);
    EXPECT_TRUE(view.files.empty());
    EXPECT_EQ(view.memo, kStartMemo);
    EXPECT_FALSE(view.startEnabled);
}

TEST_F(FileQueuePanelTest, FailedAddKeepsTheEntryThePanelAndTheButtons)
{
    panel.SpeedButton1Click(spot);
    view.startEnabled = false;
    panel.SpeedButton1Click(missing);
    EXPECT_THAT(view.files, ElementsAre(spot, missing));
    EXPECT_EQ(view.memo, memoOf("Spot \u2013 one"));
    EXPECT_FALSE(view.startEnabled);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].kind, RecordingPresenter::Kind::FileError);
    EXPECT_THAT(presenter.shown[0].text, StartsWith("Can not open the File!\n" + missing + "\n"));
}

TEST_F(FileQueuePanelTest, ShortFileIsRefusedWithTheReason)
{
    test::writeFileBytes(dir / "short.MVT", std::vector<std::uint8_t>(143, 0x20));
    const std::string shortFile = utf8Of(dir / "short.MVT");
    panel.SpeedButton1Click(shortFile);
    EXPECT_EQ(view.memo, kStartMemo);
    EXPECT_FALSE(view.startEnabled);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_THAT(presenter.shown[0].text, StartsWith("Can not open the File!\n" + shortFile + "\n"));
    EXPECT_THAT(presenter.shown[0].text, HasSubstr("143 bytes"));
}

TEST_F(FileQueuePanelTest, ClickShowsTheSelectedEntryAndSetsBothButtons)
{
    view.files = {spot, wash};
    view.stopEnabled = true;
    view.selected = 1;
    panel.ListBox1Click();
    EXPECT_EQ(view.memo, memoOf("Wash"));
    EXPECT_TRUE(view.startEnabled);
    EXPECT_FALSE(view.stopEnabled);
}

TEST_F(FileQueuePanelTest, FailedClickKeepsQueuePanelAndButtons)
{
    panel.SpeedButton1Click(spot);
    view.files.push_back(missing);
    view.files.push_back(utf8Of(dir.path())); // a folder
    view.stopEnabled = true;
    view.startEnabled = false;
    for (int index : {1, 2}) {
        view.selected = index;
        panel.ListBox1Click();
    }
    EXPECT_EQ(view.files.size(), 3u);
    EXPECT_EQ(view.memo, memoOf("Spot \u2013 one"));
    EXPECT_FALSE(view.startEnabled);
    EXPECT_TRUE(view.stopEnabled);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_THAT(presenter.shown[0].text, StartsWith("File can not open.\n" + missing + "\n"));
    EXPECT_THAT(presenter.shown[1].text, HasSubstr("folder"));
    EXPECT_EQ(presenter.shown[1].kind, RecordingPresenter::Kind::FileError);
}

TEST_F(FileQueuePanelTest, WithoutAControllerShowingLeavesTheButtonsAlone)
{
    controllerOk = false;
    view.stopEnabled = true;
    panel.SpeedButton1Click(spot);
    view.selected = 0;
    panel.ListBox1Click();
    EXPECT_EQ(view.memo, memoOf("Spot \u2013 one"));
    EXPECT_FALSE(view.startEnabled);
    EXPECT_TRUE(view.stopEnabled);
}

TEST_F(FileQueuePanelTest, DoubleClickRemovesTheSelectedEntryOnly)
{
    panel.SpeedButton1Click(spot);
    panel.SpeedButton1Click(wash);
    const std::vector<std::string> memo = view.memo;

    panel.ListBox1DblClick(); // nothing selected
    panel.ListBox1Click();    // a selection that went to none shows nothing
    EXPECT_THAT(view.files, ElementsAre(spot, wash));

    view.selected = 1;
    panel.ListBox1DblClick();
    EXPECT_THAT(view.files, ElementsAre(spot));
    EXPECT_EQ(view.memo, memo); // still the removed file's lines
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(FileQueuePanelTest, ShowingNeverChangesTheImageARunSends)
{
    UpdateFiles files;
    files.setCurrentFilePath(spot);
    files.setTypedPassword("452DB8");
    ASSERT_EQ(files.PrepareUpdateFile(), PrepareResult::Ready);
    const std::vector<std::uint8_t> sending(files.updateImage().storedBytes().begin(),
                                            files.updateImage().storedBytes().end());

    // During the run the user adds and clicks files, and the file being sent changes on disk.
    view.files = {spot};
    panel.SpeedButton1Click(wash);
    UpdateFileBuilder()
        .keyBytes({1, 2, 3, 4, 5, 6})
        .imageData(std::vector<std::uint8_t>(500, 7))
        .writeTo(pathFromUtf8(spot));
    view.selected = 0;
    panel.ListBox1Click();

    EXPECT_TRUE(std::ranges::equal(files.updateImage().storedBytes(), sending));
    EXPECT_EQ(files.imageKey(), 0x12);
    EXPECT_EQ(panel.shownImage().size(), 144); // the header it shows, nothing more
}

} // namespace
} // namespace sus
