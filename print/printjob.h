// The print job: one page for each month of a range of one year, every page
// a document of its own, stopped between months by CancelPrintFlag and by
// the first printer fault. Runs without the print dialog: a caller gives
// the printer (or lets the job take the system's default one), the
// calendar and the range.
#pragma once

#include "core/monthlayout.h"

#include <QString>
#include <cstdint>
#include <memory>

class QWidget;
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
    // through before every month so that its Cancel can be pressed. False
    // when the printer failed; the months from failedMonth() on are lost.
    bool run(CalCanPrint *printingBox = nullptr);

    // The month whose document the printer did not take; 0 when none.
    int32_t failedMonth() const { return failedMonth_; }
    // What the user is told of a failure: the printer's fault, then which
    // months were not printed.
    QString faultText() const;
    // The fault in a message box over parent.
    void reportFault(QWidget *parent) const;

private:
    platform::Printer &printer();
    int32_t printMonths(bool cancellable);

    const PrintRange range_;
    platform::Printer *printer_;
    std::unique_ptr<platform::Printer> systemPrinter_;
    int32_t failedMonth_ = 0;
    // Why the system's printer could not even be asked for.
    QString spoolerFault_;
};
