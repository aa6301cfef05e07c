#include "calabout.h"

#include "platform/accessibility.h"
#include "platform/controltable.h"
#include "platform/programicon.h"
#include "platform/window.h"

namespace {

constexpr int ClientWidthTwips = 4635;
constexpr int ClientHeightTwips = 3720;

using enum platform::ControlKind;
using platform::Border;
using platform::TopCentred;
using platform::WindowFont;

// The box's controls, in twips.
// One row per control, as the design lists them.
// clang-format off
const platform::Control<CalAbout> Controls[] = {
    // member, name, kind, caption, left, top, width, height, tab index, font, alignment, border,
    // accessible name (null: its own text), description
    {&CalAbout::Label1, "Label1", Label, u"Dovrin", 120, 240, 4335, 495, 0, platform::arialBold(18), TopCentred,
     Border::None, nullptr, u"The program's name"},
    {&CalAbout::Label2, "Label2", Label, u"Written by :", 840, 960, 3615, 375, 1, WindowFont, platform::TopLeft,
     Border::None, nullptr, u"Caption of the authors"},
    {&CalAbout::Label3, "Label3", Label, u"Dovrin developers", 105, 1470, 4335, 255, 2, WindowFont, TopCentred,
     Border::None, nullptr, u"Who wrote the program"},
    {&CalAbout::Command1, "Command1", PushButton, u"Exit", 735, 3000, 3105, 375, 3, WindowFont, {}, Border::None,
     nullptr, u"Closes the About box"},
    {&CalAbout::Label4, "Label4", Label, u"Version " DOVRIN_VERSION, 120, 1875, 4335, 255, 4, WindowFont, TopCentred,
     Border::None, nullptr, u"The program's version"},
    {&CalAbout::Label5, "Label5", Label, u"2024-2026", 120, 2280, 4335, 255, 5, WindowFont, TopCentred, Border::None,
     nullptr, u"The years of the program"},
};
// clang-format on

} // namespace

CalAbout::CalAbout(QWidget *parent)
    : platform::Form(parent, QStringLiteral("About"), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalAbout"));
    setWindowIcon(platform::programIcon());
    createControls();
    Form_Load();
}

void CalAbout::createControls()
{
    platform::buildControls(*this, this, Controls);
    // The one button answers Enter wherever the focus is.
    Command1->setAutoDefault(true);
    Command1->setDefault(true);
    platform::describe(this, QStringLiteral("The program's name, version and authors"));
    setEscapeButton(Command1);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &CalAbout::Command1_Click);
}

void CalAbout::Form_Load() { platform::centreOnScreen(this); }

void CalAbout::Command1_Click() { hide(); }

