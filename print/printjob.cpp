#include "printjob.h"

#include "calcanprint.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/printerspooler.h"
#include "printedpage.h"

#include <QCoreApplication>

namespace {

const QString PrintingTitle = QStringLiteral("Printing .....");
const QString PageFontName = QStringLiteral("ARIAL");

} // namespace

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

bool PrintJob::run(CalCanPrint *printingBox)
{
    failedMonth_ = 0;
    spoolerFault_.clear();
    core::CancelPrintFlag = core::False16;
    if (range_.From > range_.To)
        return true;
    const bool cancellable = printingBox && range_.To > range_.From;
    if (cancellable)
        printingBox->show();
    failedMonth_ = printMonths(cancellable);
    if (printingBox)
        printingBox->hide();
    return failedMonth_ == 0;
}

int32_t PrintJob::printMonths(bool cancellable)
{
    if (!printer_) {
        // Qt asks the spooler when it makes a printer, on this thread and
        // without a time limit: the spooler must be known to answer first.
        spoolerFault_ = platform::spooler::whySpoolerSilent();
        if (!spoolerFault_.isEmpty())
            return range_.From;
    }
    platform::Printer &printer = this->printer();
    PrintedPage page(printer);
    const int32_t Year = range_.Year;
    for (int32_t Month = range_.From; Month <= range_.To; ++Month) {
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
        if (range_.calendar == core::Lead::Gregorian)
            page.PrintGregLedMonth(Month, Year);
        else
            page.PrintHijriLedMonth(Month, Year);
        printer.Scale();
        if (!printer.EndDoc())
            return Month;
    }
    return 0;
}

QString PrintJob::faultText() const
{
    if (failedMonth_ == 0)
        return QString();
    QString fault = printer_ ? printer_->ErrorText() : spoolerFault_;
    if (fault.isEmpty() && printer_)
        fault = QStringLiteral("The printer \"%1\" failed.").arg(printer_->DeviceName());
    const QString monthName = range_.calendar == core::Lead::Gregorian ? core::GregMonthName(failedMonth_)
                                                                       : core::HijriMonthName(failedMonth_);
    const QString notPrinted
        = (failedMonth_ == range_.To ? QStringLiteral("%1 %2 was not printed.")
                                     : QStringLiteral("%1 %2 and the months after it were not printed."))
              .arg(monthName, core::PlainNumber(range_.Year));
    return fault + QStringLiteral("\n\n") + notPrinted;
}

void PrintJob::reportFault(QWidget *parent) const
{
    if (failedMonth_ != 0)
        platform::showCriticalMessage(parent, faultText(), PrintingTitle);
}
