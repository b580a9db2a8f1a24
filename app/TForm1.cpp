// SPDX-License-Identifier: Apache-2.0
#include "app/TForm1.h"

#include "app/Controls.h"
#include "app/Fonts.h"
#include "app/Pictures.h"

#include <QLabel>
#include <QToolButton>

namespace sus {

namespace {
constexpr QSize kForm1ClientSize(800, 375);
}

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(formFont());
    setFixedSize(kForm1ClientSize);

    Image1 = makePicture(this, "Image1", pictures::kSplash, rect());
    SpeedButton1 = makeSpeedButton(this, "SpeedButton1", pictures::kUpdateGlyph, QStringLiteral("Update"),
                                   QRect(536, 320, 89, 33));
    SpeedButton2 = makeSpeedButton(this, "SpeedButton2", pictures::kExitGlyph, QStringLiteral("Exit"),
                                   QRect(680, 320, 73, 33));
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);

    centreOnScreen(*this);
}

void TForm1::SpeedButton1Click()
{
    hide();
    if (form2_ != nullptr)
        form2_->show();
}

void TForm1::SpeedButton2Click()
{
    close();
}

} // namespace sus
