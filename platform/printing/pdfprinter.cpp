#include "pdfprinter.h"

#include "platform/units.h"

#include <QPdfWriter>

namespace platform {

namespace {

// The resolution the printer on paper draws at (QPrinter::HighResolution
// with a PDF), so that the pages measure their texts the same way.
constexpr int DotsPerInch = 1200;

} // namespace

PdfPrinter::PdfPrinter(const QPageLayout &layout)
    : layout_(layout), buffer_(&pdf_), writer_(std::make_unique<QPdfWriter>(&buffer_))
{
    buffer_.open(QIODevice::WriteOnly);
    writer_->setResolution(DotsPerInch);
    writer_->setPageLayout(layout_);
    writer_->setCreator(QStringLiteral("Dovrin"));
}

PdfPrinter::~PdfPrinter()
{
    if (painter_.isActive())
        painter_.end();
}

double PdfPrinter::Width() const { return layout_.fullRectPoints().width() * TwipsPerPoint; }

double PdfPrinter::Height() const { return layout_.fullRectPoints().height() * TwipsPerPoint; }

QPainter *PdfPrinter::painter()
{
    if (!painter_.isActive() && !painter_.begin(writer_.get()))
        return nullptr;
    if (!pageOpen_ && pages_ > 0)
        writer_->newPage();
    pageOpen_ = true;
    return &painter_;
}

core::Result<> PdfPrinter::EndDoc()
{
    if (pageOpen_)
        ++pages_;
    pageOpen_ = false;
    return {};
}

core::Result<QByteArray> PdfPrinter::finish()
{
    (void)EndDoc();
    if (pages_ == 0 || !painter_.end())
        return core::Failure{QStringLiteral("No page could be made.")};
    return pdf_;
}

QRectF PdfPrinter::drawableArea() const
{
    // The painter's origin is the top-left corner inside the margins.
    return QRectF(QPointF(0, 0), layout_.paintRectPixels(DotsPerInch).size());
}

QPaintDevice *PdfPrinter::metricsDevice() const { return writer_.get(); }

} // namespace platform
