#include "calprint.h"

#include "calcanprint.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "platform/accessibility/accessibility.h"
#include "platform/controls/messagebox.h"
#include "platform/drawing/programicon.h"
#include "printchecks.h"
#include "printjob.h"

#include <QCoreApplication>

namespace {

constexpr int ClientWidthTwips = 4485;
constexpr int ClientHeightTwips = 3975;

} // namespace

// The dialog's controls, in twips.
std::span<const platform::Control<CalPrint>> CalPrint::controlTable()
{
    using enum platform::ControlKind;
    using platform::TopLeft;
    // clang-format off
    static const platform::Control<CalPrint> table[] = {
        {CONTROL(CalPrint, YearTXTPRT), .kind = NumberBox, .place = {1365, 630, 1170, 435}, .tabIndex = 0,
         .spokenName = u"Year", .description = u"The year to print, in the chosen calendar"},
        {CONTROL(CalPrint, FromMonthTXTPRT), .kind = NumberBox, .place = {1365, 1680, 1170, 435}, .tabIndex = 1,
         .spokenName = u"From Month", .description = u"The first month to print, 1 to 12"},
        {CONTROL(CalPrint, ToMonthTXTPRT), .kind = NumberBox, .place = {1365, 2730, 1170, 435}, .tabIndex = 2,
         .spokenName = u"To Month", .description = u"The last month to print, 1 to 12"},
        {CONTROL(CalPrint, OPTGregorian), .kind = OptionButton, .place = {210, 3465, 2325, 435}, .tabIndex = 3,
         .caption = u"Gregorian / Christian",
         .description = u"Prints Gregorian months; the boxes get today's Gregorian year and month"},
        {CONTROL(CalPrint, OPTHegiry), .kind = OptionButton, .place = {3045, 3465, 1170, 435}, .tabIndex = 4,
         .caption = u"Hijri", .description = u"Prints Hijri months; the boxes get today's Hijri year and month"},
        {CONTROL(CalPrint, PrintPRT), .kind = PushButton, .place = {2940, 1050, 1170, 540}, .tabIndex = 5,
         .caption = u"Print", .description = u"Prints the months on the default printer, one page each"},
        {CONTROL(CalPrint, CancelButton), .kind = PushButton, .place = {2940, 2205, 1170, 540}, .tabIndex = 6,
         .caption = u"Exit",
         .description = u"Hides the dialog, keeping its fields, and stops a print job at the next month"},
        {CONTROL(CalPrint, Label1), .kind = Label, .place = {105, 735, 1170, 330}, .tabIndex = 7, .caption = u"Year",
         .alignment = TopLeft, .description = u"Caption of the year box"},
        {CONTROL(CalPrint, Label2), .kind = Label, .place = {105, 1785, 1170, 330}, .tabIndex = 8,
         .caption = u"From Month", .alignment = TopLeft, .description = u"Caption of the first month's box"},
        {CONTROL(CalPrint, Label3), .kind = Label, .place = {105, 2835, 1170, 330}, .tabIndex = 9,
         .caption = u"To Month", .alignment = TopLeft, .description = u"Caption of the last month's box"},
    };
    // clang-format on
    return table;
}

CalPrint::CalPrint(QWidget *parent)
    : platform::Form(parent, QStringLiteral("Print"), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalPrint"));
    setWindowIcon(platform::programIcon());
    platform::buildControls(*this, this, controlTable());
    OPTGregorian->setChecked(true);
    platform::describe(this, QStringLiteral("Prints one page for each month of a range of one year"));

    // An option "clicks" whenever it becomes selected, by mouse or by keys.
    connect(OPTGregorian, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OPTGregorian_Click();
    });
    connect(OPTHegiry, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OPTHegiry_Click();
    });
    connect(PrintPRT, &QPushButton::clicked, this, &CalPrint::PrintPRT_Click);
    connect(CancelButton, &QPushButton::clicked, this, &CalPrint::CancelButton_Click);
    connect(YearTXTPRT, &platform::NumberBox::left, this, &CalPrint::YearTXTPRT_LostFocus);
    connect(FromMonthTXTPRT, &platform::NumberBox::left, this, &CalPrint::FromMonthTXTPRT_LostFocus);
    connect(ToMonthTXTPRT, &platform::NumberBox::left, this, &CalPrint::ToMonthTXTPRT_LostFocus);
    setEscapeButton(CancelButton);
    CanPrint = new CalCanPrint(this);
    Form_Load();
}

CalPrint::~CalPrint() = default;

void CalPrint::Form_Load()
{
    platform::centreOnScreen(this);
    fillDefaults(core::Lead::Gregorian);
}

core::Lead CalPrint::chosenCalendar() const
{
    return OPTGregorian->isChecked() ? core::Lead::Gregorian : core::Lead::Hijri;
}

void CalPrint::fillDefaults(core::Lead calendar)
{
    const core::Ymd today = core::TodayIn(calendar);
    YearTXTPRT->setText(core::PlainNumber(today.year));
    FromMonthTXTPRT->setText(core::PlainNumber(today.month));
    ToMonthTXTPRT->setText(FromMonthTXTPRT->text());
    FieldsCalendar = calendar;
}

// A click on the option already in force keeps what the user typed.
void CalPrint::OPTGregorian_Click()
{
    if (FieldsCalendar != core::Lead::Gregorian)
        fillDefaults(core::Lead::Gregorian);
}

void CalPrint::OPTHegiry_Click()
{
    if (FieldsCalendar != core::Lead::Hijri)
        fillDefaults(core::Lead::Hijri);
}

// A number beyond the 32-bit range is written back as the nearer limit;
// Print then refuses it with the month or date-limits message.
void CalPrint::YearTXTPRT_LostFocus() { YearTXTPRT->rewriteAsWholeNumber(); }
void CalPrint::FromMonthTXTPRT_LostFocus() { FromMonthTXTPRT->rewriteAsWholeNumber(); }
void CalPrint::ToMonthTXTPRT_LostFocus() { ToMonthTXTPRT->rewriteAsWholeNumber(); }

void CalPrint::PrintPRT_Click()
{
    const PrintRange range{chosenCalendar(), YearTXTPRT->wholeNumber(), FromMonthTXTPRT->wholeNumber(),
                           ToMonthTXTPRT->wholeNumber()};
    if (const core::Result<> checked = printchecks::checkRange(range); !checked) {
        platform::showFailure(this, checked.failure());
        return;
    }
    // Print stays out of reach while the job runs, and until the presses
    // that waited in the window system's queue meanwhile have reached it:
    // one press, one job. The focus stays where the user left it.
    const bool focused = PrintPRT->hasFocus();
    PrintPRT->setEnabled(false);
    const core::Result<> printed = PrintJob(range, printer_).run(CanPrint);
    QCoreApplication::processEvents();
    PrintPRT->setEnabled(true);
    if (focused)
        PrintPRT->setFocus(Qt::OtherFocusReason);
    if (!printed)
        platform::showFailure(this, printed.failure());
}

void CalPrint::CancelButton_Click()
{
    core::CancelPrintFlag = core::True16;
    hide();
}

void CalPrint::Form_Unload() { hide(); }
