// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/FaderColumns.h"
#include "app/MainWindowContext.h"
#include "core/Timer.h"
#include "update/AwakeWhileRunning.h"
#include "update/UpdateRunListener.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QSlider;
class QToolButton;

namespace sus {

class AddressSpinEdit;
class AutoSizeLabel;
struct MainWindowLogic;
class RadioGroup;
class TabbedNotebook;

// The controls of one fader column of the "DMX" page.
struct FaderColumnControls {
    QSlider* fader = nullptr;         // TrackBar k
    AutoSizeLabel* name = nullptr;    // Label k+5
    AutoSizeLabel* readout = nullptr; // Label k+21
};

// The main window: the "Update" and "DMX" pages. It owns its controls, its timers and the logic
// behind them, and binds the controls' events to handlers named after them, which forward to the
// logic. The program-wide state comes with the context.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    // `splash` is the window shown again when this one closes. Runs FormCreate.
    TForm2(MainWindowContext& context, QWidget& splash, QWidget* parent = nullptr);
    ~TForm2() override;

    // Runs OpenDialog1 modally; the chosen paths, none when cancelled.
    QStringList executeOpenDialog1();

    // The fader columns in number order.
    const std::array<FaderColumnControls, kFaderCount>& faderColumns() const { return faderColumns_; }

    TabbedNotebook* TabbedNotebook1 = nullptr;

    // "Update" page
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    AutoSizeLabel* Label1 = nullptr;
    AutoSizeLabel* Label2 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // "Open"
    QListWidget* ListBox1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    AutoSizeLabel* Label3 = nullptr;
    AutoSizeLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton2 = nullptr; // "Start"
    QToolButton* SpeedButton3 = nullptr; // "Stop"
    QProgressBar* ProgressBar1 = nullptr;

    // "DMX" page
    QCheckBox* CheckBox1 = nullptr;
    AutoSizeLabel* Label5 = nullptr;
    AddressSpinEdit* CSpinEdit1 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QFrame* Panel1 = nullptr;
    QSlider *TrackBar1{}, *TrackBar2{}, *TrackBar3{}, *TrackBar4{}, *TrackBar5{}, *TrackBar6{}, *TrackBar7{},
        *TrackBar8{}, *TrackBar9{}, *TrackBar10{}, *TrackBar11{}, *TrackBar12{}, *TrackBar13{}, *TrackBar14{},
        *TrackBar15{}, *TrackBar16{};
    AutoSizeLabel *Label6{}, *Label7{}, *Label8{}, *Label9{}, *Label10{}, *Label11{}, *Label12{}, *Label13{},
        *Label14{}, *Label15{}, *Label16{}, *Label17{}, *Label18{}, *Label19{}, *Label20{}, *Label21{};
    AutoSizeLabel *Label22{}, *Label23{}, *Label24{}, *Label25{}, *Label26{}, *Label27{}, *Label28{},
        *Label29{}, *Label30{}, *Label31{}, *Label32{}, *Label33{}, *Label34{}, *Label35{}, *Label36{},
        *Label37{};

    // Components without a place on screen
    QFileDialog* OpenDialog1 = nullptr;
    std::unique_ptr<Timer> Timer1; // update sequencer
    std::unique_ptr<Timer> Timer2; // DMX output

public slots:
    void FormCreate();
    void FormClose();

    // "Update" page
    void SpeedButton1Click();
    void ListBox1Click();
    void ListBox1DblClick();
    void SpeedButton2Click();
    void SpeedButton3Click();

    // "DMX" page: the sixteen faders' change events share one body.
    void TrackBar1Change() { faderChanged(1); }
    void TrackBar2Change() { faderChanged(2); }
    void TrackBar3Change() { faderChanged(3); }
    void TrackBar4Change() { faderChanged(4); }
    void TrackBar5Change() { faderChanged(5); }
    void TrackBar6Change() { faderChanged(6); }
    void TrackBar7Change() { faderChanged(7); }
    void TrackBar8Change() { faderChanged(8); }
    void TrackBar9Change() { faderChanged(9); }
    void TrackBar10Change() { faderChanged(10); }
    void TrackBar11Change() { faderChanged(11); }
    void TrackBar12Change() { faderChanged(12); }
    void TrackBar13Change() { faderChanged(13); }
    void TrackBar14Change() { faderChanged(14); }
    void TrackBar15Change() { faderChanged(15); }
    void TrackBar16Change() { faderChanged(16); }
    void RadioGroup1Click();
    void CheckBox1Click(bool checked);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindHandlers();
    void faderChanged(int fader);
    // The controls whose tooltips are drawn as they are asked for, and what each says.
    std::vector<QWidget*> toolTipped() const;
    QString toolTipOf(QObject* watched) const;

    void buildUpdatePage(QWidget* page);
    void buildDmxPage(QWidget* page);
    void buildFaderColumns(QWidget* page);
    void buildComponents();

    MainWindowContext& context_;
    QWidget& splash_;
    std::array<FaderColumnControls, kFaderCount> faderColumns_{};
    // Passes the update run's start and end on to the context.
    struct RunNotice : UpdateRunListener {
        explicit RunNotice(MainWindowContext& context) : context(context) {}
        void updateRunStarted(const RunRequest& request) override;
        void updateRunEnded(const RunProgress& progress) override;
        MainWindowContext& context;
        RunRequest request;
    };
    RunNotice runNotice_{context_};
    // The machine kept awake during a run; where it cannot be, Start's tooltip says so.
    void keptAwake(const KeepAwake::Answer& answer);
    AwakeWhileRunning awake_{context_.keepAwake,
                             [this](const KeepAwake::Answer& answer) { keptAwake(answer); }};
    std::unique_ptr<MainWindowLogic> logic_;
};

} // namespace sus
