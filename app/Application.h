// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QApplication>
#include <QString>

#include <functional>

namespace sus {

// The program's title: its task-bar entry, the main window's caption and the caption of its plain
// message boxes.
inline constexpr char kApplicationTitle[] = "Software Update System";

// The toolkit's standard error box: a modal critical message with the application title.
void showStandardErrorBox(const QString& text);

// The Qt application with the system's title and fonts. An exception that escapes an event handler
// is shown in the error box, and the loop goes on with the next event.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Where an escaped exception is shown: the standard error box. Tests replace it.
    using ErrorBox = std::function<void(const QString& text)>;
    void setErrorBox(ErrorBox box) { errorBox_ = std::move(box); }

    // Shows the exception being handled; call it only inside a catch block. An exception that is
    // not a std::exception has no message and is shown with empty text.
    void showCurrentException();

private:
    ErrorBox errorBox_;
};

} // namespace sus
