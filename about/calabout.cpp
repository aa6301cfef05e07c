#include "calabout.h"

#include "core/version.h"
#include "platform/accessibility/accessibility.h"
#include "platform/drawing/programicon.h"

namespace {

constexpr int ClientWidthTwips = 4635;
constexpr int ClientHeightTwips = 3720;

} // namespace

// The box's controls, in twips.
std::span<const platform::Control<CalAbout>> CalAbout::controlTable()
{
    using enum platform::ControlKind;
    using platform::TopCentred;
    // clang-format off
    static const platform::Control<CalAbout> table[] = {
        {CONTROL(CalAbout, Label1), .kind = Label, .place = {120, 240, 4335, 495}, .tabIndex = 0, .caption = u"Dovrin",
         .font = platform::arialBold(18), .alignment = TopCentred, .description = u"The program's name"},
        {CONTROL(CalAbout, Label2), .kind = Label, .place = {840, 960, 3615, 375}, .tabIndex = 1,
         .caption = u"Written by :", .alignment = platform::TopLeft, .description = u"Caption of the authors"},
        {CONTROL(CalAbout, Label3), .kind = Label, .place = {105, 1470, 4335, 255}, .tabIndex = 2,
         .caption = u"Dovrin developers", .alignment = TopCentred, .description = u"Who wrote the program"},
        {CONTROL(CalAbout, Command1), .kind = PushButton, .place = {735, 3000, 3105, 375}, .tabIndex = 3,
         .caption = u"Exit", .description = u"Closes the About box"},
        {CONTROL(CalAbout, Label4), .kind = Label, .place = {120, 1875, 4335, 255}, .tabIndex = 4,
         .caption = u"Version " DOVRIN_VERSION, .alignment = TopCentred, .description = u"The program's version"},
        {CONTROL(CalAbout, Label5), .kind = Label, .place = {120, 2280, 4335, 255}, .tabIndex = 5,
         .caption = u"2024-2026", .alignment = TopCentred, .description = u"The years of the program"},
    };
    // clang-format on
    return table;
}

CalAbout::CalAbout(QWidget *parent)
    : platform::Form(parent, QStringLiteral("About"), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalAbout"));
    setWindowIcon(platform::programIcon());
    platform::buildControls(*this, this, controlTable());
    // The one button answers Enter wherever the focus is.
    Command1->setAutoDefault(true);
    Command1->setDefault(true);
    platform::describe(this, QStringLiteral("The program's name, version and authors"));
    setEscapeButton(Command1);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &CalAbout::Command1_Click);
    Form_Load();
}

void CalAbout::Form_Load() { platform::centreOnScreen(this); }

void CalAbout::Command1_Click() { hide(); }
