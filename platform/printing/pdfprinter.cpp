#include "pdfprinter.h"

#include "platform/units.h"

#include <QPdfWriter>

namespace platform {

namespace {

// The resolution the printer on paper draws at (QPrinter::HighResolution
// with a PDF), so that the pages measure their texts the same way.
constexpr int DotsPerInch = 1200;

} // namespace

PdfPrinter::PdfPrinter(const QString &path, const QPageLayout &layout)
    : layout_(layout), file_(path), writer_(std::make_unique<QPdfWriter>(&file_))
{
    writer_->setResolution(DotsPerInch);
    writer_->setPageLayout(layout_);
    writer_->setCreator(QStringLiteral("Dovrin"));
}

PdfPrinter::~PdfPrinter()
{
    if (painter_.isActive())
        painter_.end();
    file_.cancelWriting();
}

double PdfPrinter::Width() const { return layout_.fullRectPoints().width() * TwipsPerPoint; }

double PdfPrinter::Height() const { return layout_.fullRectPoints().height() * TwipsPerPoint; }

core::Failure PdfPrinter::cannotWrite() const
{
    return {QStringLiteral("Cannot write \"%1\": %2.").arg(file_.fileName(), file_.errorString())};
}

core::Result<> PdfPrinter::beginFile()
{
    if (!file_.open(QIODevice::WriteOnly))
        return cannotWrite();
    if (!painter_.begin(writer_.get()))
        return core::Failure{QStringLiteral("Cannot start the PDF file \"%1\".").arg(file_.fileName())};
    return {};
}

QPainter *PdfPrinter::painter()
{
    if (fault_)
        return nullptr;
    if (!painter_.isActive()) {
        if (const core::Result<> begun = beginFile(); !begun) {
            fault_ = begun.failure();
            return nullptr;
        }
    }
    if (!pageOpen_ && pages_ > 0)
        writer_->newPage();
    pageOpen_ = true;
    return &painter_;
}

core::Result<> PdfPrinter::EndDoc()
{
    if (fault_)
        return *fault_;
    if (pageOpen_)
        ++pages_;
    pageOpen_ = false;
    return {};
}

core::Result<> PdfPrinter::finish()
{
    if (const core::Result<> ended = EndDoc(); !ended) {
        file_.cancelWriting();
        return ended;
    }
    if (painter_.isActive() && !painter_.end()) {
        file_.cancelWriting();
        return core::Failure{QStringLiteral("Cannot finish the PDF file \"%1\".").arg(file_.fileName())};
    }
    if (pages_ == 0) {
        file_.cancelWriting();
        return core::Failure{QStringLiteral("No page was printed.")};
    }
    if (!file_.commit())
        return cannotWrite();
    return {};
}

QRectF PdfPrinter::drawableArea() const
{
    // The painter's origin is the top-left corner inside the margins.
    return QRectF(QPointF(0, 0), layout_.paintRectPixels(DotsPerInch).size());
}

QPaintDevice *PdfPrinter::metricsDevice() const { return writer_.get(); }

} // namespace platform
