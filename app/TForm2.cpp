// SPDX-License-Identifier: Apache-2.0
#include "app/TForm2.h"

#include "app/AddressSpinEdit.h"
#include "app/Application.h"
#include "app/Controls.h"
#include "app/Fonts.h"
#include "app/MainWindowLogic.h"
#include "app/RadioGroup.h"
#include "app/TabbedNotebook.h"
#include "link/Link.h"
#include "update/UpdateFiles.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHelpEvent>
#include <QListWidget>
#include <QSlider>
#include <QToolButton>
#include <QToolTip>

namespace sus {

namespace {
constexpr QSize kForm2ClientSize(859, 540);
// The client area of both pages, in the window.
constexpr QRect kPageArea(4, 24, 851, 512);

constexpr char kUpdateFileFilter[] = "*.MVT";

constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                   Qt::WindowCloseButtonHint;
} // namespace

TForm2::TForm2(MainWindowContext& context, QWidget& splash, QWidget* parent)
    : QWidget(parent, kFrame), context_(context), splash_(splash)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setFont(formFont());
    setFixedSize(kForm2ClientSize);
    // Closing this window leads back to the splash; only the splash ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    TabbedNotebook1 = new TabbedNotebook(kPageArea, this);
    TabbedNotebook1->setObjectName(QStringLiteral("TabbedNotebook1"));
    TabbedNotebook1->setGeometry(rect());
    buildUpdatePage(TabbedNotebook1->addPage("UpdatePage", QStringLiteral("Update")));
    buildDmxPage(TabbedNotebook1->addPage("DmxPage", QStringLiteral("DMX")));
    TabbedNotebook1->setCurrentIndex(0);
    buildComponents();

    logic_ = std::make_unique<MainWindowLogic>(*this, context_);
    logic_->sequencer.addListener(runNotice_);
    logic_->sequencer.addListener(awake_);
    bindHandlers();
    // The fader captions follow the page from the start.
    RadioGroup1Click();

    centreOnScreen(*this);
    FormCreate();
}

TForm2::~TForm2()
{
    // The line's work reaches into the logic: it finishes what it was handed and stops first.
    context_.line.stop();
    // Controls being torn down must not reach handlers whose logic is already gone.
    ListBox1->viewport()->removeEventFilter(this);
    for (QWidget* explained : toolTipped())
        explained->removeEventFilter(this);
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
}

void TForm2::bindHandlers()
{
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm2::ListBox1Click);
    // A double click anywhere in the list counts, not only on an entry.
    ListBox1->viewport()->installEventFilter(this);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm2::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm2::SpeedButton3Click);

    // The faders' change events in number order: TrackBar1Change for TrackBar1 and so on.
    static constexpr std::array<void (TForm2::*)(), kFaderCount> kTrackBarChange{
        &TForm2::TrackBar1Change,  &TForm2::TrackBar2Change,  &TForm2::TrackBar3Change,
        &TForm2::TrackBar4Change,  &TForm2::TrackBar5Change,  &TForm2::TrackBar6Change,
        &TForm2::TrackBar7Change,  &TForm2::TrackBar8Change,  &TForm2::TrackBar9Change,
        &TForm2::TrackBar10Change, &TForm2::TrackBar11Change, &TForm2::TrackBar12Change,
        &TForm2::TrackBar13Change, &TForm2::TrackBar14Change, &TForm2::TrackBar15Change,
        &TForm2::TrackBar16Change};
    for (std::size_t column = 0; column < kFaderCount; ++column)
        connect(faderColumns_[column].fader, &QSlider::valueChanged, this, kTrackBarChange[column]);
    connect(RadioGroup1, &RadioGroup::selectionChanged, this, &TForm2::RadioGroup1Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
    // Their tooltips say what holds when the pointer rests on them: the run's length, the channel.
    for (QWidget* explained : toolTipped())
        explained->installEventFilter(this);
}

std::vector<QWidget*> TForm2::toolTipped() const
{
    std::vector<QWidget*> widgets{SpeedButton2};
    for (const FaderColumnControls& column : faderColumns_)
        widgets.push_back(column.fader);
    return widgets;
}

QString TForm2::toolTipOf(QObject* watched) const
{
    if (watched == SpeedButton2) {
        // Why Start is grey, or that the computer may sleep, comes first.
        QStringList lines;
        if (!SpeedButton2->toolTip().isEmpty())
            lines << SpeedButton2->toolTip();
        if (const std::string length = logic_->runPage.runLengthNote(); !length.empty())
            lines << QString::fromStdString(length);
        return lines.join(QLatin1Char('\n'));
    }
    for (int fader = 1; fader <= kFaderCount; ++fader) {
        if (watched == faderColumns_[static_cast<std::size_t>(fader - 1)].fader)
            return QString::fromStdString(logic_->console.faderToolTip(fader));
    }
    return {};
}

void TForm2::buildComponents()
{
    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name is taken even when no such file exists; reading it reports the error. Native
    // dialogs of some desktops refuse such names in an open dialog, so Qt's own dialog is used.
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setNameFilter(QString::fromLatin1(kUpdateFileFilter));

    // They tick on the line's thread; their intervals and ticks are set by the update run and DMX
    // output, which own them.
    Timer1 = context_.line.createTimer();
    Timer2 = context_.line.createTimer();
}

QStringList TForm2::executeOpenDialog1()
{
    return context_.runOpenDialog ? context_.runOpenDialog(*OpenDialog1) : QStringList();
}

void TForm2::FormCreate()
{
    context_.link.discoverController();
    if (context_.link.controllerFound()) {
        CheckBox1->setEnabled(true);
        return;
    }
    // Both stay grey for the whole session: say why where the user looks.
    const QString why = QString::fromStdString(whyNoControllerBriefly(context_.link.survey()));
    SpeedButton2->setToolTip(why);
    CheckBox1->setToolTip(why);
}

void TForm2::FormClose()
{
    // A run ends at once, its AbortUpdate out before the link closes, and output stops: nothing
    // goes on writing to the closed link or reading the released image. The line does it after
    // what it has in hand, a frame never cut; the window does not wait for it.
    logic_->sequencer.abortForWindowClose();
    logic_->output.mainWindowClosing();
    context_.line.threads().line.post([&link = context_.link, &files = context_.updateFiles] {
        link.CloseLink();
        files.releaseUpdateImage();
    });
    splash_.show();
}

void TForm2::SpeedButton1Click()
{
    const QStringList chosen = executeOpenDialog1();
    logic_->panel.SpeedButton1Click(chosen.isEmpty() ? std::nullopt
                                                     : std::optional(chosen.front().toStdString()));
}

void TForm2::ListBox1Click()
{
    logic_->panel.ListBox1Click();
}

void TForm2::ListBox1DblClick()
{
    logic_->panel.ListBox1DblClick();
}

void TForm2::SpeedButton2Click()
{
    logic_->runPage.SpeedButton2Click();
}

void TForm2::SpeedButton3Click()
{
    logic_->runPage.SpeedButton3Click();
}

void TForm2::faderChanged(int fader)
{
    logic_->console.faderChanged(fader);
}

void TForm2::RadioGroup1Click()
{
    logic_->console.RadioGroup1Click();
}

void TForm2::CheckBox1Click(bool checked)
{
    logic_->output.CheckBox1Click(checked);
}

void TForm2::RunNotice::updateRunStarted(const RunRequest& started)
{
    request = started;
    if (context.updateRunChanged)
        context.updateRunChanged(true, request);
}

void TForm2::RunNotice::updateRunEnded(const RunProgress&)
{
    if (context.updateRunChanged)
        context.updateRunChanged(false, request);
}

void TForm2::keptAwake(const KeepAwake::Answer& answer)
{
    // Start is usable here, so no other text is in its tooltip.
    SpeedButton2->setToolTip(answer.held ? QString() : QString::fromStdString(machineMaySleepText(answer)));
}

void TForm2::closeEvent(QCloseEvent* event)
{
    FormClose();
    // Accepted, the window is hidden and keeps every control's contents for the next visit.
    event->accept();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && watched != ListBox1->viewport()) {
        const QString text = toolTipOf(watched);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text,
                               static_cast<QWidget*>(watched));
        return true;
    }
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ListBox1DblClick();
        // Taken here: the list would read the second click of a removed entry as a press on the
        // entry that moved up, and show it.
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sus
