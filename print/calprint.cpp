#include "calprint.h"

#include "calcanprint.h"
#include "core/dateranges.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "platform/accessibility.h"
#include "platform/controltable.h"
#include "platform/messagebox.h"
#include "platform/programicon.h"
#include "platform/numberbox.h"
#include "platform/window.h"
#include "printchecks.h"
#include "printjob.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

using enum platform::ControlKind;
using platform::Border;
using platform::TopLeft;
using platform::WindowFont;

// The dialog's controls, in twips.
// One row per control, as the design lists them.
// clang-format off
const platform::Control<CalPrint> Controls[] = {
    // member, name, kind, caption, left, top, width, height, tab index, font, alignment, border,
    // accessible name (null: its own text), description
    {&CalPrint::YearTXTPRT, "YearTXTPRT", NumberBox, nullptr, 1365, 630, 1170, 435, 0, WindowFont, {}, Border::None,
     u"Year", u"The year to print, in the chosen calendar"},
    {&CalPrint::FromMonthTXTPRT, "FromMonthTXTPRT", NumberBox, nullptr, 1365, 1680, 1170, 435, 1, WindowFont, {},
     Border::None, u"From Month", u"The first month to print, 1 to 12"},
    {&CalPrint::ToMonthTXTPRT, "ToMonthTXTPRT", NumberBox, nullptr, 1365, 2730, 1170, 435, 2, WindowFont, {},
     Border::None, u"To Month", u"The last month to print, 1 to 12"},
    {&CalPrint::OPTGregorian, "OPTGregorian", OptionButton, u"Gregorian / Christian", 210, 3465, 2325, 435, 3,
     WindowFont, {}, Border::None, nullptr,
     u"Prints Gregorian months; the boxes get today's Gregorian year and month"},
    {&CalPrint::OPTHegiry, "OPTHegiry", OptionButton, u"Hijri", 3045, 3465, 1170, 435, 4, WindowFont, {},
     Border::None, nullptr, u"Prints Hijri months; the boxes get today's Hijri year and month"},
    {&CalPrint::PrintPRT, "PrintPRT", PushButton, u"Print", 2940, 1050, 1170, 540, 5, WindowFont, {}, Border::None,
     nullptr, u"Prints the months on the default printer, one page each"},
    {&CalPrint::CancelButton, "CancelButton", PushButton, u"Exit", 2940, 2205, 1170, 540, 6, WindowFont, {},
     Border::None, nullptr, u"Hides the dialog, keeping its fields, and stops a print job at the next month"},
    {&CalPrint::Label1, "Label1", Label, u"Year", 105, 735, 1170, 330, 7, WindowFont, TopLeft, Border::None, nullptr,
     u"Caption of the year box"},
    {&CalPrint::Label2, "Label2", Label, u"From Month", 105, 1785, 1170, 330, 8, WindowFont, TopLeft, Border::None,
     nullptr, u"Caption of the first month's box"},
    {&CalPrint::Label3, "Label3", Label, u"To Month", 105, 2835, 1170, 330, 9, WindowFont, TopLeft, Border::None,
     nullptr, u"Caption of the last month's box"},
};
// clang-format on

} // namespace

CalPrint::CalPrint(QWidget *parent) : platform::Form(parent, QStringLiteral("Print"), 4485, 3975)
{
    setObjectName(QStringLiteral("CalPrint"));
    setWindowIcon(platform::programIcon());
    createControls();
    CanPrint = new CalCanPrint(this);
    Form_Load();
}

CalPrint::~CalPrint() = default;

void CalPrint::createControls()
{
    platform::buildControls(*this, this, Controls);
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
}

void CalPrint::Form_Load()
{
    platform::centreOnScreen(this);
    int32_t day, month, year;
    core::TodayGreg(day, month, year);
    fillDefaults(month, year);
    FieldsCalendar = 1;
}

void CalPrint::fillDefaults(int32_t month, int32_t year)
{
    YearTXTPRT->setText(core::PlainNumber(year));
    FromMonthTXTPRT->setText(core::PlainNumber(month));
    ToMonthTXTPRT->setText(FromMonthTXTPRT->text());
}

void CalPrint::OPTGregorian_Click()
{
    if (FieldsCalendar != 0)
        return;
    int32_t day, month, year;
    core::TodayGreg(day, month, year);
    fillDefaults(month, year);
    FieldsCalendar = 1;
}

void CalPrint::OPTHegiry_Click()
{
    if (FieldsCalendar != 1)
        return;
    int32_t day, month, year;
    core::TodayHijri(day, month, year);
    fillDefaults(month, year);
    FieldsCalendar = 0;
}

// A number beyond the 32-bit range is written back as the nearer limit;
// Print then refuses it with the month or date-limits message.
void CalPrint::YearTXTPRT_LostFocus() { YearTXTPRT->rewriteAsWholeNumber(); }
void CalPrint::FromMonthTXTPRT_LostFocus() { FromMonthTXTPRT->rewriteAsWholeNumber(); }
void CalPrint::ToMonthTXTPRT_LostFocus() { ToMonthTXTPRT->rewriteAsWholeNumber(); }

bool CalPrint::readPrintRange(PrintRange &range)
{
    range.calendar = OPTGregorian->isChecked() ? core::Lead::Gregorian : core::Lead::Hijri;
    range.Year = YearTXTPRT->wholeNumber();
    range.From = FromMonthTXTPRT->wholeNumber();
    range.To = ToMonthTXTPRT->wholeNumber();
    const QString refusal = printchecks::refusalOf(range);
    if (!refusal.isEmpty())
        platform::showCriticalMessage(this, refusal, printchecks::InputErrorTitle);
    return refusal.isEmpty();
}

void CalPrint::PrintPRT_Click()
{
    PrintRange range;
    if (!readPrintRange(range))
        return;
    PrintJob job(range, printer_);
    // The job lets window events through between months: Print stays out of
    // reach until it ends, so that a second press cannot start another job.
    PrintPRT->setEnabled(false);
    job.run(CanPrint);
    PrintPRT->setEnabled(true);
    job.reportFault(this);
}

void CalPrint::CancelButton_Click()
{
    core::CancelPrintFlag = core::True16;
    hide();
}

void CalPrint::Form_Unload() { hide(); }
