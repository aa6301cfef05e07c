#include "printer.h"

#include "printerspooler.h"

#include <QPrinter>

namespace platform {

namespace {

constexpr double TwipsPerPoint = 20;

// The printing library opened first, from the system's folder, so that Qt's
// print plugin does not look it up by name.
std::unique_ptr<QPrinter> makeQPrinter()
{
    spooler::openPrintingLibrary();
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

} // namespace

Printer::Printer() { setTextFont(QFont(QStringLiteral("Arial"), 10)); }

void Printer::fail(const QString &why)
{
    if (errorText_.isEmpty())
        errorText_ = why;
}

DevicePrinter::DevicePrinter() : printer_(makeQPrinter()), toSpooler_(true) {}

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

QString DevicePrinter::DeviceName() const { return toSpooler_ ? printer_->printerName() : printer_->outputFileName(); }

QPainter *DevicePrinter::painter()
{
    if (painter_.isActive())
        return &painter_;
    if (documentFailed_ || !beginDocument())
        return nullptr;
    return &painter_;
}

void DevicePrinter::failDocument(const QString &why)
{
    documentFailed_ = true;
    fail(why);
}

bool DevicePrinter::beginDocument()
{
    clearFault();
    if (toSpooler_) {
        // Without a queue Qt falls back to a PDF file that has no name.
        if (printer_->printerName().isEmpty()) {
            const QString silent = spooler::whySpoolerSilent();
            failDocument(silent.isEmpty()
                             ? QStringLiteral("No printer is installed: there is no default printer to print on.")
                             : silent);
            return false;
        }
        // A queue that rejects jobs lets Qt draw the whole document and then
        // drops it without a word: ask before drawing.
        const QString refusal = spooler::whyQueueRefuses(printer_->printerName());
        if (!refusal.isEmpty()) {
            failDocument(refusal);
            return false;
        }
    }
    if (!painter_.begin(printer_.get())) {
        failDocument(QStringLiteral("The printer \"%1\" could not start a document.").arg(DeviceName()));
        return false;
    }
    return true;
}

bool DevicePrinter::EndDoc()
{
    const bool documentFailed = documentFailed_;
    documentFailed_ = false;
    if (!painter_.isActive())
        return !documentFailed; // nothing was drawn: nothing to send
    if (!painter_.end() || printer_->printerState() == QPrinter::Error) {
        fail(QStringLiteral("The printer \"%1\" could not finish the document.").arg(DeviceName()));
        return false;
    }
    if (toSpooler_) {
        const QString refusal = spooler::whyLastDocumentRefused(DeviceName());
        if (!refusal.isEmpty()) {
            fail(refusal);
            return false;
        }
    }
    return true;
}

QRectF DevicePrinter::drawableArea() const
{
    // The painter's origin is the printable area's top-left corner.
    return QRectF(QPointF(0, 0), printer_->pageRect(QPrinter::DevicePixel).size());
}

QPaintDevice *DevicePrinter::metricsDevice() const { return printer_.get(); }

} // namespace platform
