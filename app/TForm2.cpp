#include "app/TForm2.h"

#include "app/Application.h"
#include "app/Controls.h"
#include "app/Fonts.h"
#include "app/TabbedNotebook.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>

namespace sus {

namespace {
constexpr QSize kClientSize(859, 540);
// The client area of both pages, in the window.
constexpr QRect kPageArea(4, 24, 851, 512);

constexpr int kTimer1IntervalMs = 20;
constexpr int kTimer2IntervalMs = 60;
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
    setFixedSize(kClientSize);
    // Closing this window leads back to the splash; only the splash ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    TabbedNotebook1 = new TabbedNotebook(kPageArea, this);
    TabbedNotebook1->setObjectName(QStringLiteral("TabbedNotebook1"));
    TabbedNotebook1->setGeometry(rect());
    buildUpdatePage(TabbedNotebook1->addPage("UpdatePage", QStringLiteral("Update")));
    buildDmxPage(TabbedNotebook1->addPage("DmxPage", QStringLiteral("DMX")));
    TabbedNotebook1->setCurrentIndex(0);
    buildComponents();

    centreOnScreen(*this);
    FormCreate();
}

TForm2::~TForm2() = default;

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

    Timer1 = context_.createTimer();
    Timer1->setInterval(kTimer1IntervalMs);
    Timer2 = context_.createTimer();
    Timer2->setInterval(kTimer2IntervalMs);
}

QStringList TForm2::executeOpenDialog1()
{
    return context_.runOpenDialog ? context_.runOpenDialog(*OpenDialog1) : QStringList();
}

void TForm2::FormCreate()
{
    if (context_.discoverController && context_.discoverController())
        CheckBox1->setEnabled(true);
}

void TForm2::FormClose()
{
    if (context_.closeLink)
        context_.closeLink();
    if (context_.releaseUpdateImage)
        context_.releaseUpdateImage();
    splash_.show();
}

void TForm2::closeEvent(QCloseEvent* event)
{
    FormClose();
    // Accepted, the window is hidden and keeps every control's contents for the next visit.
    event->accept();
}

} // namespace sus
