// SPDX-License-Identifier: Apache-2.0
// Every control of both windows against the table of the layout: member and object name, text,
// place, font, range, starting value and enabled state.
#include "app/AddressSpinEdit.h"
#include "app/AutoSizeLabel.h"
#include "app/ProgramRun.h"
#include "app/RadioGroup.h"
#include "app/TabbedNotebook.h"
#include "tests/app/TestContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace sus {
namespace {

enum class Font { Form, Arial29Bold, Arial21, Arial16, Sans24Bold, Sans16Bold };

template <typename Form> struct Control {
    const char* name;
    std::function<QWidget*(Form&)> member;
    QString text = {};
    QRect geometry = {};
    bool enabled = true;
    Font font = Font::Form;
};

#define MEMBER(name) #name, [](auto& form) -> QWidget* { return form.name; }

QString shownText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QToolButton*>(widget))
        return button->accessibleName(); // the word its glyph reads
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget))
        return memo->toPlainText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* spin = qobject_cast<const QSpinBox*>(widget))
        return spin->text();
    return {};
}

void expectFont(const QWidget* widget, Font font)
{
    struct Expected {
        const char* family;
        int pixels;
        bool bold;
    };
    static const std::map<Font, Expected> fonts{
        {Font::Form, {"MS Sans Serif", 11, false}},      {Font::Arial29Bold, {"Arial", 29, true}},
        {Font::Arial21, {"Arial", 21, false}},           {Font::Arial16, {"Arial", 16, false}},
        {Font::Sans24Bold, {"MS Sans Serif", 24, true}}, {Font::Sans16Bold, {"MS Sans Serif", 16, true}},
    };
    const Expected& expected = fonts.at(font);
    EXPECT_EQ(widget->font().family(), QString::fromLatin1(expected.family));
    EXPECT_EQ(widget->font().pixelSize(), expected.pixels);
    EXPECT_EQ(widget->font().bold(), expected.bold);
}

template <typename Form>
void expectControls(Form& form, const QWidget* container, const std::vector<Control<Form>>& table)
{
    for (const Control<Form>& row : table) {
        SCOPED_TRACE(row.name);
        QWidget* widget = row.member(form);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(row.name));
        EXPECT_EQ(widget->parentWidget(), container);
        EXPECT_EQ(shownText(widget), row.text);
        EXPECT_EQ(widget->isEnabled(), row.enabled);
        expectFont(widget, row.font);
        if (const auto* label = qobject_cast<const AutoSizeLabel*>(widget)) {
            // Placed as laid out; wider only where its text needs it.
            EXPECT_EQ(label->laidOutGeometry(), row.geometry);
            EXPECT_EQ(label->geometry().top(), row.geometry.top());
            EXPECT_EQ(label->geometry().height(), row.geometry.height());
            EXPECT_GE(label->width(), label->sizeHint().width());
        } else {
            EXPECT_EQ(widget->geometry(), row.geometry);
        }
    }
}

class ControlInventory : public ::testing::Test {
protected:
    test::TestContext fakes;
    ProgramWindows windows = createWindows(fakes.context);
    TForm1& form1 = *windows.form1;
    TForm2& form2 = *windows.form2;
    QWidget* updatePage = form2.TabbedNotebook1->page(0);
    QWidget* dmxPage = form2.TabbedNotebook1->page(1);
};

TEST_F(ControlInventory, SplashIsABorderlessPictureWithTwoGlyphButtons)
{
    EXPECT_TRUE(form1.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form1.size(), QSize(800, 375));
    expectControls<TForm1>(form1, &form1,
                           {
                               {MEMBER(Image1), "", {0, 0, 800, 375}},
                               {MEMBER(SpeedButton1), "Update", {536, 320, 89, 33}},
                               {MEMBER(SpeedButton2), "Exit", {680, 320, 73, 33}},
                           });
    EXPECT_EQ(form1.Image1->pixmap().size(), QSize(800, 376)); // the JPEG, decoded
    EXPECT_EQ(form1.SpeedButton1->iconSize(), QSize(80, 25));
    EXPECT_EQ(form1.SpeedButton2->iconSize(), QSize(80, 25));
}

TEST_F(ControlInventory, MainWindowIsFixedWithTwoPagesAtTheirPlace)
{
    EXPECT_EQ(form2.windowTitle(), "Software Update System");
    EXPECT_EQ(form2.size(), QSize(859, 540));
    EXPECT_EQ(form2.minimumSize(), form2.maximumSize());
    EXPECT_TRUE(form2.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form2.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form2.isVisible());

    ASSERT_EQ(form2.TabbedNotebook1->count(), 2);
    EXPECT_EQ(form2.TabbedNotebook1->pageText(0), "Update");
    EXPECT_EQ(form2.TabbedNotebook1->pageText(1), "DMX");
    EXPECT_EQ(form2.TabbedNotebook1->currentIndex(), 0);
    expectFont(form2.TabbedNotebook1->tabBar(), Font::Form);
    for (const QWidget* page : {updatePage, dmxPage}) {
        EXPECT_EQ(page->mapTo(&form2, QPoint(0, 0)), QPoint(4, 24));
        EXPECT_EQ(page->size(), QSize(851, 512));
    }
    // The families asked for by name are drawn with their metric-compatible substitute.
    EXPECT_EQ(QFontInfo(form2.Label1->font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(form2.font()).family(), "Liberation Sans");
}

TEST_F(ControlInventory, UpdatePage)
{
    expectControls<TForm2>(
        form2, updatePage,
        {
            {MEMBER(Image1), "", {0, 0, 851, 512}},
            {MEMBER(Image2), "", {8, 8, 305, 73}},
            {MEMBER(Label1), "Step1:", {40, 112, 89, 34}, true, Font::Arial29Bold},
            {MEMBER(Label2), "Input Update Files", {160, 104, 168, 24}, true, Font::Arial21},
            {MEMBER(SpeedButton1), "Open", {24, 168, 113, 41}},
            {MEMBER(ListBox1), "", {160, 136, 649, 153}, true, Font::Arial16},
            {MEMBER(Memo1), "IC Function:", {160, 288, 649, 105}, true, Font::Arial16},
            {MEMBER(Label3), "Step2:", {32, 416, 89, 34}, true, Font::Arial29Bold},
            {MEMBER(Label4), "Password:", {160, 424, 99, 24}, true, Font::Arial21},
            {MEMBER(Edit1), "", {272, 416, 209, 37}, true, Font::Sans24Bold},
            {MEMBER(SpeedButton2), "Start", {552, 416, 113, 33}, false},
            {MEMBER(SpeedButton3), "Stop", {696, 416, 113, 33}, false},
            {MEMBER(ProgressBar1), "", {-7, 470, 849, 22}},
        });

    EXPECT_EQ(form2.Image1->pixmap().size(), QSize(850, 520));
    EXPECT_EQ(form2.Image2->pixmap().size(), QSize(269, 103));
    for (const QToolButton* glyph : {form2.SpeedButton1, form2.SpeedButton2, form2.SpeedButton3})
        EXPECT_EQ(glyph->iconSize(), QSize(100, 35));

    EXPECT_EQ(form2.ListBox1->count(), 0);
    form2.ListBox1->addItem("C:/updates/FIXTURE.MVT");
    EXPECT_EQ(form2.ListBox1->sizeHintForRow(0), 18);

    EXPECT_TRUE(form2.Memo1->isReadOnly());
    EXPECT_EQ(form2.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form2.Memo1->palette().color(QPalette::Base), form2.palette().color(QPalette::Button));

    EXPECT_EQ(form2.Edit1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form2.Edit1->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, form2.Edit1),
              '*');

    EXPECT_EQ(form2.ProgressBar1->minimum(), 0);
    EXPECT_EQ(form2.ProgressBar1->maximum(), 100);
    EXPECT_EQ(form2.ProgressBar1->value(), 0);
}

TEST_F(ControlInventory, DmxPage)
{
    expectControls<TForm2>(
        form2, dmxPage,
        {
            {MEMBER(CheckBox1), "DMX Output", {8, 24, 137, 17}, false, Font::Sans16Bold},
            {MEMBER(Label5), "Fixture Address:", {157, 24, 132, 20}, true, Font::Sans16Bold},
            {MEMBER(CSpinEdit1), "1", {296, 16, 81, 30}, true, Font::Sans16Bold},
            {MEMBER(RadioGroup1), "Page", {0, 88, 57, 377}},
            {MEMBER(Panel1), "", {64, 88, 793, 385}},
        });
    EXPECT_FALSE(form2.CheckBox1->isChecked());
    EXPECT_EQ(form2.Label5->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(form2.CSpinEdit1->minimum(), 1);
    EXPECT_EQ(form2.CSpinEdit1->maximum(), 511);
    EXPECT_EQ(form2.RadioGroup1->itemIndex(), 0);
    QStringList items;
    for (int i = 0; i < form2.RadioGroup1->count(); ++i)
        items << form2.RadioGroup1->item(i)->text();
    EXPECT_EQ(items, QStringList({"1-16", "17-32", "33-48", "49-64"}));
}

TEST_F(ControlInventory, SixteenFaderColumnsInTwoGroupsOfEight)
{
    const int faderLefts[] = {0, 48, 96, 144, 192, 240, 288, 336, 408, 456, 504, 552, 600, 648, 696, 744};
    const int faderWidths[] = {41, 45, 45, 45, 45, 45, 45, 45, 45, 37, 45, 45, 45, 45, 45, 45};
    const std::vector<Control<TForm2>> faders{
        {MEMBER(TrackBar1)},  {MEMBER(TrackBar2)},  {MEMBER(TrackBar3)},  {MEMBER(TrackBar4)},
        {MEMBER(TrackBar5)},  {MEMBER(TrackBar6)},  {MEMBER(TrackBar7)},  {MEMBER(TrackBar8)},
        {MEMBER(TrackBar9)},  {MEMBER(TrackBar10)}, {MEMBER(TrackBar11)}, {MEMBER(TrackBar12)},
        {MEMBER(TrackBar13)}, {MEMBER(TrackBar14)}, {MEMBER(TrackBar15)}, {MEMBER(TrackBar16)}};
    const std::vector<Control<TForm2>> names{
        {MEMBER(Label6)},  {MEMBER(Label7)},  {MEMBER(Label8)},  {MEMBER(Label9)},
        {MEMBER(Label10)}, {MEMBER(Label11)}, {MEMBER(Label12)}, {MEMBER(Label13)},
        {MEMBER(Label14)}, {MEMBER(Label15)}, {MEMBER(Label16)}, {MEMBER(Label17)},
        {MEMBER(Label18)}, {MEMBER(Label19)}, {MEMBER(Label20)}, {MEMBER(Label21)}};
    const std::vector<Control<TForm2>> readouts{
        {MEMBER(Label22)}, {MEMBER(Label23)}, {MEMBER(Label24)}, {MEMBER(Label25)},
        {MEMBER(Label26)}, {MEMBER(Label27)}, {MEMBER(Label28)}, {MEMBER(Label29)},
        {MEMBER(Label30)}, {MEMBER(Label31)}, {MEMBER(Label32)}, {MEMBER(Label33)},
        {MEMBER(Label34)}, {MEMBER(Label35)}, {MEMBER(Label36)}, {MEMBER(Label37)}};

    std::vector<Control<TForm2>> inPanel, onPage;
    for (int k = 0; k < 16; ++k) {
        Control<TForm2> fader = faders[k];
        fader.geometry = {faderLefts[k], 8, faderWidths[k], 369};
        inPanel.push_back(fader);
        Control<TForm2> name = names[k];
        name.text = QString("CH%1").arg(k + 1, 2, 10, QChar('0'));
        name.geometry = {64 + faderLefts[k], 480, 27, 13};
        onPage.push_back(name);
        Control<TForm2> readout = readouts[k];
        readout.text = "0";
        readout.geometry = {68 + faderLefts[k], 64, 11, 20};
        readout.font = Font::Sans16Bold;
        onPage.push_back(readout);
    }
    expectControls<TForm2>(form2, form2.Panel1, inPanel);
    expectControls<TForm2>(form2, dmxPage, onPage);

    for (int k = 0; k < 16; ++k) {
        SCOPED_TRACE(k + 1);
        const FaderColumnControls& column = form2.faderColumns()[k];
        EXPECT_EQ(column.fader, faders[k].member(form2));
        EXPECT_EQ(column.name, names[k].member(form2));
        EXPECT_EQ(column.readout, readouts[k].member(form2));
        EXPECT_EQ(column.fader->orientation(), Qt::Vertical);
        EXPECT_EQ(column.fader->minimum(), 0);
        EXPECT_EQ(column.fader->maximum(), 255);
        EXPECT_EQ(column.fader->value(), 255);
        EXPECT_EQ(column.fader->tickInterval(), 8);
        EXPECT_EQ(column.fader->tickPosition(), QSlider::TicksRight);
        // Position 255 is drawn at the bottom of the travel.
        QStyleOptionSlider option;
        option.initFrom(column.fader);
        option.orientation = Qt::Vertical;
        option.minimum = column.fader->minimum();
        option.maximum = column.fader->maximum();
        option.sliderPosition = option.sliderValue = column.fader->value();
        option.upsideDown = !column.fader->invertedAppearance();
        const QRect handle = column.fader->style()->subControlRect(QStyle::CC_Slider, &option,
                                                                   QStyle::SC_SliderHandle, column.fader);
        EXPECT_GT(handle.center().y(), column.fader->height() / 2);
    }
}

TEST_F(ControlInventory, ComponentsWithoutAPlace)
{
    EXPECT_EQ(form2.OpenDialog1->nameFilters(), QStringList{"*.MVT"});
    EXPECT_EQ(form2.OpenDialog1->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(form2.OpenDialog1->acceptMode(), QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist is taken.
    const QString missing = QDir::temp().filePath("no-such-update.MVT");
    form2.OpenDialog1->selectFile(missing);
    // A dialog that refused the name would say so in a modal box: dismiss it rather than wait.
    QTimer refusal;
    QObject::connect(&refusal, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    refusal.start(50);
    static_cast<QDialog*>(form2.OpenDialog1)->accept(); // as its Open button does
    EXPECT_EQ(form2.OpenDialog1->result(), QDialog::Accepted);
    EXPECT_EQ(form2.OpenDialog1->selectedFiles(), QStringList{missing});
    EXPECT_FALSE(form2.Timer1->isEnabled());
    EXPECT_EQ(form2.Timer1->interval(), 20);
    EXPECT_FALSE(form2.Timer2->isEnabled());
    EXPECT_EQ(form2.Timer2->interval(), 60);
}

std::vector<QWidget*> tabStops(QWidget* first, const QWidget* page)
{
    std::vector<QWidget*> stops;
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->focusProxy() == nullptr &&
            page->isAncestorOf(widget))
            stops.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != first);
    return stops;
}

TEST_F(ControlInventory, TabOrders)
{
    EXPECT_EQ(tabStops(form2.ListBox1, updatePage),
              (std::vector<QWidget*>{form2.ListBox1, form2.Memo1, form2.Edit1}));

    // The spin box takes the focus through its editor.
    QWidget* spinBox = form2.CSpinEdit1->focusProxy() ? form2.CSpinEdit1->focusProxy() : form2.CSpinEdit1;
    std::vector<QWidget*> dmxOrder{spinBox};
    for (int i = 0; i < 4; ++i)
        dmxOrder.push_back(form2.RadioGroup1->item(i));
    dmxOrder.push_back(form2.CheckBox1);
    for (const FaderColumnControls& column : form2.faderColumns())
        dmxOrder.push_back(column.fader);
    EXPECT_EQ(tabStops(dmxOrder.front(), dmxPage), dmxOrder);
}

} // namespace
} // namespace sus
