#include "calcanprint.h"

#include "core/state.h"
#include "platform/accessibility.h"
#include "platform/controltable.h"

#include <QIcon>
#include <QPixmap>

namespace {

using enum platform::ControlKind;
using platform::Border;
using platform::WindowFont;

constexpr int ClientWidthTwips = 3630;
constexpr int ClientHeightTwips = 1665;

// The box's controls, in twips. The label runs to the box's right edge: at
// 3255 twips wide the last letter of its text would be cut off.
// One row per control, as the design lists them.
// clang-format off
const platform::Control<CalCanPrint> Controls[] = {
    // member, name, kind, caption, left, top, width, height, tab index, font, alignment, border,
    // accessible name (null: its own text), description
    {&CalCanPrint::Label1, "Label1", Label, u"Press Cancel button to stop printing", 240, 360, ClientWidthTwips - 240,
     255, 0, WindowFont, platform::MiddleLeft, Border::None, nullptr, u"What the Cancel button does"},
    {&CalCanPrint::CancelPrinting, "CancelPrinting", PushButton, u"Cancel", 600, 1080, 2295, 375, 1, WindowFont, {},
     Border::None, nullptr, u"Stops printing after the page being printed"},
};
// clang-format on

// A window without an icon of its own would show its owner's: a clear one
// shows none.
QIcon noIcon()
{
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    return QIcon(clear);
}

} // namespace

CalCanPrint::CalCanPrint(QWidget *parent)
    : platform::Form(parent, QStringLiteral("Printing ....."), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalCanPrint"));
    setWindowIcon(noIcon());
    platform::buildControls(*this, this, Controls);
    connect(CancelPrinting, &QPushButton::clicked, this, &CalCanPrint::CancelPrinting_Click);
    setEscapeButton(CancelPrinting);
    platform::describe(this, QStringLiteral("Shown while the months are printed"));
}

void CalCanPrint::CancelPrinting_Click()
{
    core::CancelPrintFlag = core::True16;
    hide();
}

void CalCanPrint::Form_Unload() { CancelPrinting_Click(); }
