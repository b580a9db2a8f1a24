// SPDX-License-Identifier: Apache-2.0
// The controls of the main window's two pages, at the places they were drawn at.
#include "app/TForm2.h"

#include "app/AddressSpinEdit.h"
#include "app/AutoSizeLabel.h"
#include "app/Controls.h"
#include "app/Fonts.h"
#include "app/Pictures.h"
#include "app/RadioGroup.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace sus {

namespace {

constexpr QSize kPageSize(851, 512);
constexpr int kListRowHeight = 18;

constexpr int kFaderTop = 8;
constexpr int kFaderHeight = 369;
constexpr int kFaderTickInterval = 8;
constexpr int kNameTop = 480;
constexpr QSize kNameSize(27, 13);
constexpr int kReadoutTop = 64;
constexpr QSize kReadoutSize(11, 20);

// List rows of one fixed height, whatever the font asks for.
class FixedRowHeightDelegate : public QStyledItemDelegate {
public:
    FixedRowHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

QFont boldFormFont16()
{
    return pixelFont(kFormFontFamily, 16, true);
}

template <typename Widget> Widget* place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

void TForm2::buildUpdatePage(QWidget* page)
{
    const QFont stepFont = pixelFont(kArialFamily, 29, true);
    const QFont captionFont = pixelFont(kArialFamily, 21);
    const QFont textFont = pixelFont(kArialFamily, 16);

    Image1 = makePicture(page, "Image1", pictures::kUpdateBackground, QRect(QPoint(), kPageSize));
    Image2 = makePicture(page, "Image2", pictures::kUpdateLogo, QRect(8, 8, 305, 73));

    Label1 = makeLabel(page, "Label1", QStringLiteral("Step1:"), QRect(40, 112, 89, 34), stepFont, Qt::black,
                       Qt::white);
    Label2 = makeLabel(page, "Label2", QStringLiteral("Input Update Files"), QRect(160, 104, 168, 24),
                       captionFont, Qt::black, Qt::white);
    SpeedButton1 = makeSpeedButton(page, "SpeedButton1", pictures::kOpenGlyph, QStringLiteral("Open"),
                                   QRect(24, 168, 113, 41));

    ListBox1 = place(new QListWidget(page), "ListBox1", QRect(160, 136, 649, 153));
    ListBox1->setFont(textFont);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new FixedRowHeightDelegate(kListRowHeight, ListBox1));

    Memo1 =
        place(new QPlainTextEdit(QStringLiteral("IC Function:"), page), "Memo1", QRect(160, 288, 649, 105));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::StrongFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(textFont);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    Memo1->setPalette(memoPalette);

    Label3 = makeLabel(page, "Label3", QStringLiteral("Step2:"), QRect(32, 416, 89, 34), stepFont, Qt::black,
                       Qt::white);
    Label4 = makeLabel(page, "Label4", QStringLiteral("Password:"), QRect(160, 424, 99, 24), captionFont,
                       Qt::black, Qt::white);

    Edit1 = place(new QLineEdit(page), "Edit1", QRect(272, 416, 209, 37));
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42; lineedit-password-mask-delay: 0"));
    Edit1->setFont(pixelFont(kFormFontFamily, 24, true));
    Edit1->setToolTip(
        QStringLiteral("The update file's password: six hexadecimal characters, upper case (0 to 9, "
                       "A to F)."));

    SpeedButton2 = makeSpeedButton(page, "SpeedButton2", pictures::kStartGlyph, QStringLiteral("Start"),
                                   QRect(552, 416, 113, 33));
    SpeedButton2->setEnabled(false);
    SpeedButton3 = makeSpeedButton(page, "SpeedButton3", pictures::kStopGlyph, QStringLiteral("Stop"),
                                   QRect(696, 416, 113, 33));
    SpeedButton3->setEnabled(false);

    ProgressBar1 = place(new QProgressBar(page), "ProgressBar1", QRect(-7, 470, 849, 22));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    // The progress bar takes no focus, so the keyboard passes from the list to the memo.
    setTabChain({ListBox1, Memo1, Edit1});
}

void TForm2::buildDmxPage(QWidget* page)
{
    CheckBox1 = place(new QCheckBox(QStringLiteral("DMX Output"), page), "CheckBox1", QRect(8, 24, 137, 17));
    CheckBox1->setFont(boldFormFont16());
    CheckBox1->setEnabled(false);

    Label5 = makeLabel(page, "Label5", QStringLiteral("Fixture Address:"), QRect(157, 24, 132, 20),
                       boldFormFont16(), Qt::red, QColor(), Qt::AlignRight | Qt::AlignTop);

    CSpinEdit1 = place(new AddressSpinEdit(page), "CSpinEdit1", QRect(296, 16, 81, 30));
    CSpinEdit1->setFont(boldFormFont16());

    RadioGroup1 = place(new RadioGroup(QStringLiteral("Page"),
                                       {QStringLiteral("1-16"), QStringLiteral("17-32"),
                                        QStringLiteral("33-48"), QStringLiteral("49-64")},
                                       page),
                        "RadioGroup1", QRect(0, 88, 57, 377));

    Panel1 = place(new QFrame(page), "Panel1", QRect(64, 88, 793, 385));
    Panel1->setFrameShape(QFrame::NoFrame);

    buildFaderColumns(page);

    std::vector<QWidget*> tabChain{CSpinEdit1};
    for (int item = 0; item < RadioGroup1->count(); ++item)
        tabChain.push_back(RadioGroup1->item(item));
    tabChain.push_back(CheckBox1);
    for (const FaderColumnControls& column : faderColumns_)
        tabChain.push_back(column.fader);
    setTabChain(tabChain);
}

void TForm2::buildFaderColumns(QWidget* page)
{
    using Slider = QSlider* TForm2::*;
    using Label = AutoSizeLabel* TForm2::*;
    static constexpr std::array<Slider, kFaderCount> kFaders{
        &TForm2::TrackBar1,  &TForm2::TrackBar2,  &TForm2::TrackBar3,  &TForm2::TrackBar4,
        &TForm2::TrackBar5,  &TForm2::TrackBar6,  &TForm2::TrackBar7,  &TForm2::TrackBar8,
        &TForm2::TrackBar9,  &TForm2::TrackBar10, &TForm2::TrackBar11, &TForm2::TrackBar12,
        &TForm2::TrackBar13, &TForm2::TrackBar14, &TForm2::TrackBar15, &TForm2::TrackBar16};
    static constexpr std::array<Label, kFaderCount> kNames{
        &TForm2::Label6,  &TForm2::Label7,  &TForm2::Label8,  &TForm2::Label9,
        &TForm2::Label10, &TForm2::Label11, &TForm2::Label12, &TForm2::Label13,
        &TForm2::Label14, &TForm2::Label15, &TForm2::Label16, &TForm2::Label17,
        &TForm2::Label18, &TForm2::Label19, &TForm2::Label20, &TForm2::Label21};
    static constexpr std::array<Label, kFaderCount> kReadouts{
        &TForm2::Label22, &TForm2::Label23, &TForm2::Label24, &TForm2::Label25,
        &TForm2::Label26, &TForm2::Label27, &TForm2::Label28, &TForm2::Label29,
        &TForm2::Label30, &TForm2::Label31, &TForm2::Label32, &TForm2::Label33,
        &TForm2::Label34, &TForm2::Label35, &TForm2::Label36, &TForm2::Label37};

    const QFont readoutFont = boldFormFont16();
    for (int column = 1; column <= kFaderCount; ++column) {
        const int index = column - 1;
        const FaderColumnPlace where = faderColumnPlace(column);
        const QByteArray faderName = "TrackBar" + QByteArray::number(column);
        const QByteArray nameLabel = "Label" + QByteArray::number(column + 5);
        const QByteArray readoutLabel = "Label" + QByteArray::number(column + 21);

        auto* fader = place(new QSlider(Qt::Vertical, Panel1), faderName.constData(),
                            QRect(where.faderLeft, kFaderTop, where.faderWidth, kFaderHeight));
        fader->setRange(0, kFaderBottom);
        // Position 0 is the top of the travel: the level rises as the fader goes up.
        fader->setInvertedAppearance(true);
        fader->setInvertedControls(true);
        fader->setTickInterval(kFaderTickInterval);
        fader->setTickPosition(QSlider::TicksRight);
        fader->setValue(kFaderBottom);
        // The groove stays unfilled: a filled part would read as a level the fader does not show.
        QPalette palette = fader->palette();
        palette.setColor(QPalette::Highlight, palette.color(QPalette::Mid));
        fader->setPalette(palette);

        AutoSizeLabel* name =
            makeLabel(page, nameLabel.constData(), QStringLiteral("CH%1").arg(column, 2, 10, QChar('0')),
                      QRect(QPoint(where.nameLeft, kNameTop), kNameSize));
        AutoSizeLabel* readout =
            makeLabel(page, readoutLabel.constData(), QStringLiteral("0"),
                      QRect(QPoint(where.readoutLeft, kReadoutTop), kReadoutSize), readoutFont, Qt::red);

        this->*kFaders[index] = fader;
        this->*kNames[index] = name;
        this->*kReadouts[index] = readout;
        faderColumns_[index] = {fader, name, readout};
    }
}

} // namespace sus
