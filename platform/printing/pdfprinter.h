// A printer that makes one PDF document: every document the print job ends
// becomes the next page of it. Draws through the same surface code as the
// printer on paper; needs neither a spooler nor a display, and writes no
// file: finish() hands the document over.
#pragma once

#include "printer.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPainter>
#include <memory>

class QPdfWriter;

namespace platform {

class PdfPrinter : public Printer {
public:
    explicit PdfPrinter(const QPageLayout &layout);
    ~PdfPrinter() override;

    double Width() const override;
    double Height() const override;
    // Ends the page in progress; the next output starts a new page.
    core::Result<> EndDoc() override;

    // The PDF of every page ended so far; fails when there is none.
    core::Result<QByteArray> finish();

protected:
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;

private:
    const QPageLayout layout_;
    QByteArray pdf_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    bool pageOpen_ = false;
    int pages_ = 0; // pages ended
};

} // namespace platform
