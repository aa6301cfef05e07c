#include "calprint.h"

#include "calcanprint.h"
#include "core/dateranges.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "platform/accessibility.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/textbox.h"
#include "platform/window.h"
#include "printedpage.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

using platform::place;

namespace {

const QString InputErrorTitle = QStringLiteral("Input Error .....");
const QString MonthLimitsText = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateLimitsText = QStringLiteral("Check your date limits");
const QString PrintingTitle = QStringLiteral("Printing .....");
const QString PageFontName = QStringLiteral("ARIAL");

void describeControls(CalPrint &d)
{
    using platform::describe;
    describe(&d, QStringLiteral("Prints one page for each month of a range of one year"));
    describe(d.YearTXTPRT, QStringLiteral("Year"), QStringLiteral("The year to print, in the chosen calendar"));
    describe(d.FromMonthTXTPRT, QStringLiteral("From Month"), QStringLiteral("The first month to print, 1 to 12"));
    describe(d.ToMonthTXTPRT, QStringLiteral("To Month"), QStringLiteral("The last month to print, 1 to 12"));
    describe(d.OPTGregorian, QStringLiteral("Prints Gregorian months; the boxes get today's Gregorian year and month"));
    describe(d.OPTHegiry, QStringLiteral("Prints Hijri months; the boxes get today's Hijri year and month"));
    describe(d.PrintPRT, QStringLiteral("Prints the months on the default printer, one page each"));
    describe(d.CancelButton, QStringLiteral("Hides the dialog, keeping its fields, and stops a print job at the next month"));
    describe(d.Label1, QStringLiteral("Caption of the year box"));
    describe(d.Label2, QStringLiteral("Caption of the first month's box"));
    describe(d.Label3, QStringLiteral("Caption of the last month's box"));
}

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
    YearTXTPRT = platform::makeTextBox(this, "YearTXTPRT");
    place(YearTXTPRT, 1365, 630, 1170, 435);
    FromMonthTXTPRT = platform::makeTextBox(this, "FromMonthTXTPRT");
    place(FromMonthTXTPRT, 1365, 1680, 1170, 435);
    ToMonthTXTPRT = platform::makeTextBox(this, "ToMonthTXTPRT");
    place(ToMonthTXTPRT, 1365, 2730, 1170, 435);
    OPTGregorian = new QRadioButton(QStringLiteral("Gregorian / Christian"), this);
    OPTGregorian->setObjectName(QStringLiteral("OPTGregorian"));
    place(OPTGregorian, 210, 3465, 2325, 435);
    OPTGregorian->setChecked(true);
    OPTHegiry = new QRadioButton(QStringLiteral("Hijri"), this);
    OPTHegiry->setObjectName(QStringLiteral("OPTHegiry"));
    place(OPTHegiry, 3045, 3465, 1170, 435);
    PrintPRT = platform::makeButton(this, "PrintPRT", QStringLiteral("Print"));
    place(PrintPRT, 2940, 1050, 1170, 540);
    CancelButton = platform::makeButton(this, "CancelButton", QStringLiteral("Exit"));
    place(CancelButton, 2940, 2205, 1170, 540);
    Label1 = platform::makeLabel(this, "Label1", QStringLiteral("Year"), Qt::AlignLeft | Qt::AlignTop);
    place(Label1, 105, 735, 1170, 330);
    Label2 = platform::makeLabel(this, "Label2", QStringLiteral("From Month"), Qt::AlignLeft | Qt::AlignTop);
    place(Label2, 105, 1785, 1170, 330);
    Label3 = platform::makeLabel(this, "Label3", QStringLiteral("To Month"), Qt::AlignLeft | Qt::AlignTop);
    place(Label3, 105, 2835, 1170, 330);

    platform::setTabOrder({YearTXTPRT, FromMonthTXTPRT, ToMonthTXTPRT, OPTGregorian, OPTHegiry, PrintPRT, CancelButton});

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
    for (QLineEdit *box : {YearTXTPRT, FromMonthTXTPRT, ToMonthTXTPRT})
        box->installEventFilter(this);
    describeControls(*this);
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

void CalPrint::YearTXTPRT_GotFocus() { platform::selectWholeTextOnFocus(YearTXTPRT); }
void CalPrint::FromMonthTXTPRT_GotFocus() { platform::selectWholeTextOnFocus(FromMonthTXTPRT); }
void CalPrint::ToMonthTXTPRT_GotFocus() { platform::selectWholeTextOnFocus(ToMonthTXTPRT); }
void CalPrint::YearTXTPRT_LostFocus() { platform::rewriteAsWholeNumber(YearTXTPRT); }
void CalPrint::FromMonthTXTPRT_LostFocus() { platform::rewriteAsWholeNumber(FromMonthTXTPRT); }
void CalPrint::ToMonthTXTPRT_LostFocus() { platform::rewriteAsWholeNumber(ToMonthTXTPRT); }

bool CalPrint::eventFilter(QObject *watched, QEvent *event)
{
    const bool in = event->type() == QEvent::FocusIn;
    const bool out = event->type() == QEvent::FocusOut;
    if (in || out) {
        if (watched == YearTXTPRT)
            in ? YearTXTPRT_GotFocus() : YearTXTPRT_LostFocus();
        else if (watched == FromMonthTXTPRT)
            in ? FromMonthTXTPRT_GotFocus() : FromMonthTXTPRT_LostFocus();
        else if (watched == ToMonthTXTPRT)
            in ? ToMonthTXTPRT_GotFocus() : ToMonthTXTPRT_LostFocus();
    }
    return platform::Form::eventFilter(watched, event);
}

bool CalPrint::MonthInRange(int32_t Month) const
{
    return core::isMonthNumber(Month);
}

bool CalPrint::DateLimitsOK(int32_t Month, int32_t Year) const
{
    return core::monthInSpan(OPTGregorian->isChecked() ? core::Lead::Gregorian : core::Lead::Hijri, {Year, Month});
}

bool CalPrint::readPrintRange(int32_t &Year, int32_t &From, int32_t &To)
{
    Year = core::WholeNumber32(YearTXTPRT->text());
    From = core::WholeNumber32(FromMonthTXTPRT->text());
    To = core::WholeNumber32(ToMonthTXTPRT->text());
    if (!MonthInRange(From) || !MonthInRange(To)) {
        platform::showCriticalMessage(this, MonthLimitsText, InputErrorTitle);
        return false;
    }
    if (!DateLimitsOK(From, Year) || !DateLimitsOK(To, Year)) {
        platform::showCriticalMessage(this, DateLimitsText, InputErrorTitle);
        return false;
    }
    return true;
}

void CalPrint::PrintPRT_Click()
{
    if (printing_)
        return; // the job lets window events through between months
    int32_t Year, From, To;
    if (!readPrintRange(Year, From, To))
        return;
    core::CancelPrintFlag = core::False16;
    if (From > To)
        return;

    std::unique_ptr<platform::Printer> systemPrinter;
    if (!printer_)
        systemPrinter = std::make_unique<platform::DevicePrinter>();
    platform::Printer &printer = printer_ ? *printer_ : *systemPrinter;
    const bool cancellable = To > From;
    printing_ = true;
    if (cancellable)
        CanPrint->show();
    const int32_t failedMonth = printMonths(printer, Year, From, To, cancellable);
    CanPrint->hide();
    printing_ = false;
    if (failedMonth != 0)
        reportPrinterFault(printer, failedMonth, To, Year);
}

int32_t CalPrint::printMonths(platform::Printer &printer, int32_t Year, int32_t From, int32_t To, bool cancellable)
{
    PrintedPage page(printer);
    for (int32_t Month = From; Month <= To; ++Month) {
        if (cancellable)
            QCoreApplication::processEvents(); // lets the printing box's Cancel be pressed
        if (core::CancelPrintFlag != core::False16) {
            printer.Scale();
            printer.EndDoc(); // no page is in progress: nothing is sent
            return 0;
        }
        printer.setFontName(PageFontName);
        printer.Scale();
        page.SetUpPrintedPage();
        page.PrintWeekdayHeader();
        if (OPTGregorian->isChecked())
            page.PrintGregLedMonth(Month, Year);
        else
            page.PrintHijriLedMonth(Month, Year);
        printer.Scale();
        if (!printer.EndDoc())
            return Month;
    }
    return 0;
}

void CalPrint::reportPrinterFault(const platform::Printer &printer, int32_t month, int32_t lastMonth, int32_t year)
{
    QString fault = printer.ErrorText();
    if (fault.isEmpty())
        fault = QStringLiteral("The printer \"%1\" failed.").arg(printer.DeviceName());
    const QString monthName = OPTGregorian->isChecked() ? core::GregMonthName(month) : core::HijriMonthName(month);
    const QString notPrinted = (month == lastMonth ? QStringLiteral("%1 %2 was not printed.")
                                                   : QStringLiteral("%1 %2 and the months after it were not printed."))
                                   .arg(monthName, core::PlainNumber(year));
    platform::showCriticalMessage(this, fault + QStringLiteral("\n\n") + notPrinted, PrintingTitle);
}

void CalPrint::CancelButton_Click()
{
    core::CancelPrintFlag = core::True16;
    hide();
}

void CalPrint::Form_Unload()
{
    hide();
}
