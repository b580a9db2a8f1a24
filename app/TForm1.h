// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace sus {

// The splash window: the program's first and main window. Closing it ends the program.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The window "Update" leads to.
    void setMainWindow(QWidget& form2) { form2_ = &form2; }

    QLabel* Image1 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // "Update"
    QToolButton* SpeedButton2 = nullptr; // "Exit"

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();

private:
    QWidget* form2_ = nullptr;
};

} // namespace sus
