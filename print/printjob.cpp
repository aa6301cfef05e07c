#include "printjob.h"

#include "calcanprint.h"
#include "core/messages.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "platform/fonts.h"
#include "platform/printing/printer.h"
#include "platform/printing/spooler.h"
#include "printedpage.h"

#include <QCoreApplication>

PrintJob::PrintJob(const PrintRange &range, platform::Printer *printer) : range_(range), printer_(printer) {}

PrintJob::~PrintJob() = default;

platform::Printer &PrintJob::printer()
{
    if (!printer_) {
        systemPrinter_ = std::make_unique<platform::DevicePrinter>();
        printer_ = systemPrinter_.get();
    }
    return *printer_;
}

core::Result<> PrintJob::run(CalCanPrint *printingBox)
{
    core::CancelPrintFlag = core::False16;
    if (range_.From > range_.To)
        return {};
    const bool cancellable = printingBox && range_.To > range_.From;
    if (cancellable)
        printingBox->show();
    const core::Result<> printed = printMonths(cancellable);
    if (printingBox)
        printingBox->hide();
    return printed;
}

core::Result<> PrintJob::printMonths(bool cancellable)
{
    if (!printer_) {
        // Qt asks the spooler when it makes a printer, on this thread and
        // without a time limit: the spooler must be known to answer first.
        if (const core::Result<> answers = platform::printing::spoolerAnswers(); !answers)
            return notPrinted(range_.From, answers.failure());
    }
    platform::Printer &printer = this->printer();
    PrintedPage page(printer);
    const int32_t Year = range_.Year;
    for (int32_t Month = range_.From; Month <= range_.To; ++Month) {
        if (cancellable)
            QCoreApplication::processEvents(); // lets the printing box's Cancel be pressed
        if (core::CancelPrintFlag != core::False16) {
            printer.Scale();
            (void)printer.EndDoc(); // no page is in progress: nothing is sent
            return {};
        }
        printer.setFontName(platform::PrinterArialName);
        printer.Scale();
        page.SetUpPrintedPage();
        page.PrintWeekdayHeader();
        if (range_.calendar == core::Lead::Gregorian)
            page.PrintGregLedMonth(Month, Year);
        else
            page.PrintHijriLedMonth(Month, Year);
        printer.Scale();
        if (const core::Result<> ended = printer.EndDoc(); !ended)
            return notPrinted(Month, ended.failure());
    }
    return {};
}

// Once the user has asked to stop (the dialog's Exit, the printing box's
// Cancel) while the job waited, the months they chose not to print are not
// reported: nothing is.
core::Result<> PrintJob::notPrinted(int32_t month, const core::Failure &fault) const
{
    if (core::CancelPrintFlag != core::False16)
        return {};
    const QString monthName = core::MonthName(range_.calendar, month);
    const QString months = (month == range_.To ? QStringLiteral("%1 %2 was not printed.")
                                               : QStringLiteral("%1 %2 and the months after it were not printed."))
                               .arg(monthName, core::PlainNumber(range_.Year));
    return core::Failure{fault.text + QStringLiteral("\n\n") + months, core::messages::PrintingTitle};
}
