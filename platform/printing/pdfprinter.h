// A printer that is one PDF file: every document the print job ends becomes
// the next page of the same file, and the file appears, whole, only when
// finish() succeeds. Draws through the same surface code as the printer
// on paper; needs neither a spooler nor a display.
#pragma once

#include "printer.h"

#include <QPageLayout>
#include <QPainter>
#include <QSaveFile>
#include <memory>

class QPdfWriter;

namespace platform {

class PdfPrinter : public Printer {
public:
    // Nothing is written to path before the first page is drawn.
    PdfPrinter(const QString &path, const QPageLayout &layout);
    ~PdfPrinter() override; // without finish(), nothing is left at path

    double Width() const override;
    double Height() const override;
    // Ends the page in progress; the next output starts a new page.
    core::Result<> EndDoc() override;

    // Writes the file out, holding every page ended so far. With no page,
    // or after a fault, no file is left.
    core::Result<> finish();

protected:
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;

private:
    core::Result<> beginFile();
    core::Failure cannotWrite() const;

    const QPageLayout layout_;
    QSaveFile file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    std::optional<core::Failure> fault_; // the file's first fault: no page follows it
    bool pageOpen_ = false;
    int pages_ = 0; // pages ended
};

} // namespace platform
