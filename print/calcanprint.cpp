#include "calcanprint.h"

#include "core/state.h"
#include "platform/accessibility.h"
#include "platform/window.h"

#include <QLabel>
#include <QPushButton>

CalCanPrint::CalCanPrint(QWidget *parent) : platform::Form(parent, QStringLiteral("Printing ....."), 3630, 1665)
{
    setObjectName(QStringLiteral("CalCanPrint"));
    Label1 = platform::makeLabel(this, "Label1", QStringLiteral("Press Cancel button to stop printing"),
                                 Qt::AlignLeft | Qt::AlignVCenter);
    // Runs to the box's right edge: at 3255 twips the last letter of the
    // text would be cut off.
    platform::place(Label1, 240, 360, 3630 - 240, 255);
    CancelPrinting = platform::makeButton(this, "CancelPrinting", QStringLiteral("Cancel"));
    platform::place(CancelPrinting, 600, 1080, 2295, 375);
    connect(CancelPrinting, &QPushButton::clicked, this, &CalCanPrint::CancelPrinting_Click);
    platform::describe(this, QStringLiteral("Shown while the months are printed"));
    platform::describe(Label1, QStringLiteral("What the Cancel button does"));
    platform::describe(CancelPrinting, QStringLiteral("Stops printing after the page being printed"));
}

void CalCanPrint::CancelPrinting_Click()
{
    core::CancelPrintFlag = core::True16;
    hide();
}

void CalCanPrint::Form_Unload()
{
    CancelPrinting_Click();
}
