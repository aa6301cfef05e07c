// The print job: one page for each month of a range of one year, every page
// a document of its own, stopped between months by CancelPrintFlag and by
// the first printer fault. Runs without the print dialog: a caller gives
// the printer (or lets the job take the system's default one), the
// calendar and the range.
#pragma once

#include "core/dateranges.h"
#include "core/failure.h"

#include <cstdint>
#include <memory>

class CalCanPrint;

namespace platform {
class Printer;
}

// What to print: months From to To of Year, in the calendar that leads.
struct PrintRange {
    core::Lead calendar = core::Lead::Gregorian;
    int32_t Year = 0;
    int32_t From = 0;
    int32_t To = 0;
};

class PrintJob {
public:
    // Prints on printer (not owned); without one, on the system's default
    // printer, asked for only when there is a month to print.
    explicit PrintJob(const PrintRange &range, platform::Printer *printer = nullptr);
    ~PrintJob();

    // Clears CancelPrintFlag and prints From to To. A job of several months
    // shows the printing box, when there is one, and lets window events
    // through before every month so that its Cancel can be pressed. Fails,
    // under the title "Printing .....", with the printer's fault and the
    // months it left unprinted.
    core::Result<> run(CalCanPrint *printingBox = nullptr);

private:
    platform::Printer &printer();
    core::Result<> printMonths(bool cancellable);
    // The printer's fault, then which months were not printed; nothing once
    // the user has asked to stop.
    core::Result<> notPrinted(int32_t month, const core::Failure &fault) const;

    const PrintRange range_;
    platform::Printer *printer_;
    std::unique_ptr<platform::Printer> systemPrinter_;
};
