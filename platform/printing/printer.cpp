#include "printer.h"

#include "platform/fonts.h"
#include "platform/units.h"
#include "printinglibrary.h"
#include "spooler.h"

#include <QPrinter>

namespace platform {

namespace {

// The printing library opened first, from the system's folder, so that Qt's
// print plugin does not look it up by name.
std::unique_ptr<QPrinter> makeQPrinter()
{
    printing::cups();
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

} // namespace

Printer::Printer() { setTextFont(QFont(ArialName, int(PrinterFontPoints))); }

// Qt's printer starts on a page of its own whatever the queue's defaults:
// the queue's paper and orientation are taken over, so that the page is
// laid out for the paper the printer holds.
DevicePrinter::DevicePrinter() : printer_(makeQPrinter()), toSpooler_(true)
{
    if (printer_->printerName().isEmpty())
        return;
    const printing::QueueDefaults defaults = printing::queueDefaults(printer_->printerName());
    if (defaults.paper)
        printer_->setPageSize(*defaults.paper);
    if (defaults.orientation)
        printer_->setPageOrientation(*defaults.orientation);
}

DevicePrinter::DevicePrinter(const QString &pdfPath, const QPageLayout &layout)
    : printer_(makeQPrinter()), toSpooler_(false)
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfPath);
    printer_->setPageLayout(layout);
}

DevicePrinter::~DevicePrinter()
{
    // A document left open goes to the printer, as when the program ends.
    if (painter_.isActive())
        painter_.end();
}

double DevicePrinter::Width() const { return printer_->paperRect(QPrinter::Point).width() * TwipsPerPoint; }

double DevicePrinter::Height() const { return printer_->paperRect(QPrinter::Point).height() * TwipsPerPoint; }

QString DevicePrinter::deviceName() const { return toSpooler_ ? printer_->printerName() : printer_->outputFileName(); }

QPainter *DevicePrinter::painter()
{
    if (painter_.isActive())
        return &painter_;
    if (documentFault_)
        return nullptr;
    if (const core::Result<> begun = beginDocument(); !begun) {
        documentFault_ = begun.failure();
        return nullptr;
    }
    return &painter_;
}

core::Result<> DevicePrinter::beginDocument()
{
    if (toSpooler_) {
        // Without a queue Qt falls back to a PDF file that has no name.
        if (printer_->printerName().isEmpty()) {
            if (const core::Result<> answers = printing::spoolerAnswers(); !answers)
                return answers;
            return core::Failure{QStringLiteral("No printer is installed: there is no default printer to print on.")};
        }
        // A queue that rejects jobs lets Qt draw the whole document and then
        // drops it without a word: ask before drawing.
        if (const core::Result<> takes = printing::queueTakesJobs(printer_->printerName()); !takes)
            return takes;
    }
    if (!painter_.begin(printer_.get()))
        return core::Failure{QStringLiteral("The printer \"%1\" could not start a document.").arg(deviceName())};
    return {};
}

core::Result<> DevicePrinter::EndDoc()
{
    if (documentFault_) {
        const core::Failure fault = *std::exchange(documentFault_, std::nullopt);
        return fault;
    }
    if (!painter_.isActive())
        return {}; // nothing was drawn: nothing to send
    if (!painter_.end() || printer_->printerState() == QPrinter::Error)
        return core::Failure{QStringLiteral("The printer \"%1\" could not finish the document.").arg(deviceName())};
    if (toSpooler_)
        return printing::documentTaken(deviceName());
    return {};
}

QRectF DevicePrinter::drawableArea() const
{
    // The painter's origin is the printable area's top-left corner.
    return QRectF(QPointF(0, 0), printer_->pageRect(QPrinter::DevicePixel).size());
}

QPaintDevice *DevicePrinter::metricsDevice() const { return printer_.get(); }

} // namespace platform
