// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/ProgramRun.h"
#include "core/Nanoseconds.h"
#include "core/Utf8Path.h"
#include "receive/UpdateReceiver.h"
#include "sim/VirtualFixture.h"
#include "tests/app/TestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include <string>

namespace sus::test {

inline constexpr std::int64_t kMsNs = kNsPerMs;

// The program's windows over a TestContext with one controller attached (found at creation, its
// message dismissed), the main window shown, and the user's gestures on it.
struct BoundWindow {
    BoundWindow()
    {
        form.show();
        fakes.presenter.clear();
    }

    // Writes `file` as `name` in a scratch folder; its UTF-8 path.
    std::string write(const UpdateFileBuilder& file, const std::string& name) const
    {
        return utf8Of(file.writeTo(dir / pathFromUtf8(name)));
    }

    // "Open", and the dialog answers `path`.
    void addThroughDialog(const std::string& path)
    {
        fakes.dialogAnswer = {QString::fromStdString(path)};
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    }

    QPoint rowCentre(int row) const
    {
        return form.ListBox1->visualItemRect(form.ListBox1->item(row)).center();
    }
    void clickRow(int row)
    {
        QTest::mouseClick(form.ListBox1->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    // The first click of the two selects, as a real double click's does.
    void doubleClickRow(int row)
    {
        clickRow(row);
        QTest::mouseDClick(form.ListBox1->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }

    void advanceMs(std::int64_t ms) { fakes.scheduler.advanceBy(ms * kMsNs); }

    // Runs virtual time until the update run has ended (the context was told) or an hour passed.
    bool runUntilRunEnded()
    {
        return fakes.scheduler.runUntil(
            [&] { return !fakes.updateRunChanges.empty() && !fakes.updateRunChanges.back(); },
            fakes.scheduler.nowNs() + 3'600'000 * kMsNs);
    }

    FixtureLog heard() const { return VirtualFixture::listen(fakes.devices.txLine()); }
    UpdateReception reception() const { return UpdateReception::from(heard()); }

    TempDir dir;
    TestContext fakes;
    ProgramWindows windows = [this] {
        fakes.attachController();
        return createWindows(fakes.context);
    }();
    TForm2& form = *windows.form2;
};

} // namespace sus::test
