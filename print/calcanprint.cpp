#include "calcanprint.h"

#include "core/messages.h"
#include "core/state.h"
#include "platform/accessibility/accessibility.h"

#include <QIcon>
#include <QPixmap>

namespace {

constexpr int ClientWidthTwips = 3630;
constexpr int ClientHeightTwips = 1665;

// A window without an icon of its own would show its owner's: a clear one
// shows none.
QIcon noIcon()
{
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    return QIcon(clear);
}

} // namespace

// The box's controls, in twips. The label runs to the box's right edge: at
// 3255 twips wide the last letter of its text would be cut off.
std::span<const platform::Control<CalCanPrint>> CalCanPrint::controlTable()
{
    using enum platform::ControlKind;
    // clang-format off
    static const platform::Control<CalCanPrint> table[] = {
        {CONTROL(CalCanPrint, Label1), .kind = Label, .place = {240, 360, ClientWidthTwips - 240, 255}, .tabIndex = 0,
         .caption = u"Press Cancel button to stop printing", .alignment = platform::MiddleLeft,
         .description = u"What the Cancel button does"},
        {CONTROL(CalCanPrint, CancelPrinting), .kind = PushButton, .place = {600, 1080, 2295, 375}, .tabIndex = 1,
         .caption = u"Cancel", .description = u"Stops printing after the page being printed"},
    };
    // clang-format on
    return table;
}

CalCanPrint::CalCanPrint(QWidget *parent)
    : platform::Form(parent, core::messages::PrintingTitle, ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalCanPrint"));
    setWindowIcon(noIcon());
    platform::buildControls(*this, this, controlTable());
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
