#include "pdfprinter.h"

#include <QPdfWriter>

namespace platform {

namespace {

constexpr double TwipsPerPoint = 20;
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

void PdfPrinter::failFile(const QString &why)
{
    failed_ = true;
    fail(why);
}

bool PdfPrinter::beginFile()
{
    if (!file_.open(QIODevice::WriteOnly)) {
        failFile(QStringLiteral("Cannot write \"%1\": %2.").arg(file_.fileName(), file_.errorString()));
        return false;
    }
    if (!painter_.begin(writer_.get())) {
        failFile(QStringLiteral("Cannot start the PDF file \"%1\".").arg(file_.fileName()));
        return false;
    }
    return true;
}

QPainter *PdfPrinter::painter()
{
    if (failed_)
        return nullptr;
    if (!painter_.isActive() && !beginFile())
        return nullptr;
    if (!pageOpen_ && pages_ > 0)
        writer_->newPage();
    pageOpen_ = true;
    return &painter_;
}

bool PdfPrinter::EndDoc()
{
    if (failed_)
        return false;
    if (pageOpen_)
        ++pages_;
    pageOpen_ = false;
    return true;
}

bool PdfPrinter::finish()
{
    if (pageOpen_)
        EndDoc();
    if (painter_.isActive() && !painter_.end())
        failFile(QStringLiteral("Cannot finish the PDF file \"%1\".").arg(file_.fileName()));
    if (failed_ || pages_ == 0) {
        file_.cancelWriting();
        return false;
    }
    if (!file_.commit()) {
        failFile(QStringLiteral("Cannot write \"%1\": %2.").arg(file_.fileName(), file_.errorString()));
        return false;
    }
    return true;
}

QRectF PdfPrinter::drawableArea() const
{
    // The painter's origin is the top-left corner inside the margins.
    return QRectF(QPointF(0, 0), layout_.paintRectPixels(DotsPerInch).size());
}

QPaintDevice *PdfPrinter::metricsDevice() const { return writer_.get(); }

} // namespace platform
