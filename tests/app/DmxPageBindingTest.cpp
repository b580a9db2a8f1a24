// SPDX-License-Identifier: Apache-2.0
// The "DMX" page bound to its logic, end to end through the widgets: faders, pages, the address
// field, and DMX output on the simulated controller in virtual time.
#include "app/AddressSpinEdit.h"
#include "app/AutoSizeLabel.h"
#include "app/RadioGroup.h"
#include "tests/app/BoundWindow.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

namespace sus {
namespace {

class DmxPage : public ::testing::Test, protected test::BoundWindow {
protected:
    // A click on the item's round indicator, which every style counts as a hit.
    void choosePage(int page)
    {
        QRadioButton* item = form.RadioGroup1->item(page);
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
    }

    void typeAddress(const QString& text)
    {
        form.CSpinEdit1->selectAll();
        if (text.isEmpty())
            QTest::keyClick(form.CSpinEdit1, Qt::Key_Backspace);
        else
            QTest::keyClicks(form.CSpinEdit1, text);
    }

    void leaveAddressField()
    {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(form.CSpinEdit1, &focusOut);
    }

    QString address() const { return form.CSpinEdit1->text(); }

    // What the pointer resting on `widget` shows.
    static std::string toolTipShownBy(QWidget* widget)
    {
        QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &rest);
        return QToolTip::text().toStdString();
    }
};

// Only tooltips say what the captions do not: the DMX channel behind each fader, the password's
// form, and how long Start's run takes.
TEST_F(DmxPage, ToolTipsSayWhatEachFaderDrivesThePasswordsFormAndTheRunsLength)
{
    typeAddress(QStringLiteral("505"));
    leaveAddressField();
    EXPECT_EQ(toolTipShownBy(form.faderColumns()[0].fader),
              "CH01 drives DMX channel 505 (the fixture's channel 1 from address 505).");
    EXPECT_EQ(toolTipShownBy(form.faderColumns()[15].fader),
              "CH16 would drive DMX channel 520 (the fixture's channel 16 from address 505): a frame carries "
              "channels 1 to 512 only, so no frame sends this level.");
    choosePage(1);
    EXPECT_EQ(toolTipShownBy(form.faderColumns()[0].fader),
              "CH17 would drive DMX channel 521 (the fixture's channel 17 from address 505): a frame carries "
              "channels 1 to 512 only, so no frame sends this level.");
    EXPECT_EQ(address(), QStringLiteral("505")) << "asking does not touch the field";

    EXPECT_EQ(form.Edit1->toolTip().toStdString(),
              "The update file's password: six hexadecimal characters, upper case (0 to 9, A to F).");

    test::TempDir dir;
    addThroughDialog(test::utf8Of(
        test::UpdateFileBuilder().imageData(std::vector<std::uint8_t>(3000, 1)).writeTo(dir / "a.MVT")));
    EXPECT_EQ(toolTipShownBy(form.SpeedButton2),
              "A run of the queue from the selected file on takes 7.480 s (wake-up frames 4.120 s, handshake "
              "1.680 s, pauses 1.000 s, files 660 ms, finish 20 ms).");
}

TEST_F(DmxPage, FaderMovesShowInTheReadOutsAndStoreInTheirSlots)
{
    form.TrackBar1->setValue(155);
    EXPECT_EQ(form.Label22->text(), "100");
    EXPECT_EQ(fakes.universe.level(1), 100);

    QTest::keyClick(form.TrackBar16, Qt::Key_Home); // the top of the travel
    EXPECT_EQ(form.TrackBar16->value(), 0);
    EXPECT_EQ(form.Label37->text(), "255");
    EXPECT_EQ(fakes.universe.level(16), 255);
}

TEST_F(DmxPage, PagesRenameTheFadersAndReloadThemFromTheirSlots)
{
    EXPECT_EQ(form.Label6->text(), "CH01");
    EXPECT_EQ(form.Label21->text(), "CH16");
    form.TrackBar1->setValue(155);

    choosePage(1);
    EXPECT_EQ(form.Label6->text(), "CH17");
    EXPECT_EQ(form.Label21->text(), "CH32");
    EXPECT_EQ(form.TrackBar1->value(), 255);
    EXPECT_EQ(form.Label22->text(), "0");
    EXPECT_EQ(fakes.universe.level(1), 100);

    form.TrackBar16->setValue(55);
    EXPECT_EQ(fakes.universe.level(32), 200);
    choosePage(3);
    EXPECT_EQ(form.Label21->text(), "CH64");

    choosePage(0);
    EXPECT_EQ(form.Label6->text(), "CH01");
    EXPECT_EQ(form.TrackBar1->value(), 155);
    EXPECT_EQ(form.Label22->text(), "100");
    EXPECT_EQ(fakes.universe.level(32), 200);
}

TEST_F(DmxPage, TheAddressFieldReadsAsTypedAndKeepsItsValueInRange)
{
    // A typed value out of range stands while the field is edited and counts as the nearer limit.
    typeAddress("600");
    EXPECT_EQ(address(), "600");
    form.TrackBar16->setValue(0);
    EXPECT_EQ(fakes.universe.level(511 + 15), 255);
    leaveAddressField();
    EXPECT_EQ(address(), "511");
    EXPECT_EQ(form.CSpinEdit1->value(), 511);

    // The up key does not pass the limit, neither from a typed value nor from the field's value.
    QTest::keyClick(form.CSpinEdit1, Qt::Key_Up);
    EXPECT_EQ(address(), "511");
    typeAddress("0");
    QTest::keyClick(form.CSpinEdit1, Qt::Key_Down);
    EXPECT_EQ(address(), "1");
    QTest::keyClick(form.CSpinEdit1, Qt::Key_Down);
    EXPECT_EQ(address(), "1");
    QTest::keyClick(form.CSpinEdit1, Qt::Key_Up);
    EXPECT_EQ(address(), "2");

    // Letters are not taken; an empty field reads as 1 and then shows it.
    typeAddress("x");
    EXPECT_EQ(address(), "2");
    typeAddress("");
    EXPECT_EQ(address(), "");
    form.TrackBar2->setValue(5);
    EXPECT_EQ(address(), "1");
    EXPECT_EQ(fakes.universe.level(2), 250);

    typeAddress("-7");
    leaveAddressField();
    EXPECT_EQ(address(), "1");
}

TEST_F(DmxPage, CheckingDmxOutputSendsTheUniverseUntilUnchecked)
{
    form.TrackBar1->setValue(155);
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
    EXPECT_TRUE(fakes.link.isOpen());
    advanceMs(200);
    form.TrackBar2->setValue(0);
    advanceMs(100);

    const FixtureLog log = heard();
    const auto frames = log.dmxFrames();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames.front()->bytes.size(), 513u);
    EXPECT_EQ(frames.front()->bytes[1], 100);
    EXPECT_EQ(frames.front()->bytes[2], 0);
    EXPECT_EQ(frames.back()->bytes[2], 255);

    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
    EXPECT_FALSE(form.Timer2->isEnabled());
    EXPECT_FALSE(fakes.link.isOpen());
    advanceMs(300);
    EXPECT_EQ(heard().dmxFrames().size(), 5u);
    EXPECT_TRUE(fakes.presenter.shown.empty());
}

TEST_F(DmxPage, ClosingTheWindowDuringOutputTurnsItOff)
{
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
    advanceMs(130);
    form.close();
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.Timer2->isEnabled());
    EXPECT_FALSE(fakes.link.isOpen());

    advanceMs(500);
    EXPECT_EQ(heard().dmxFrames().size(), 2u);
    form.show();
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_TRUE(form.CheckBox1->isEnabled());
}

} // namespace
} // namespace sus
