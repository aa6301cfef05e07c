// The printer: a drawing surface on paper that the print job fills one
// document at a time. The first output after EndDoc starts a new document;
// every document is one spooler job.
#pragma once

#include "core/failure.h"
#include "platform/drawing/drawingsurface.h"

#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <memory>
#include <optional>

class QPrinter;

namespace platform {

class Printer : public DrawingSurface {
public:
    // A printer starts in Arial 10 pt, regular.
    Printer();

    // The paper's size in twips, as the paper lies (landscape is wider).
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // Ends the document in progress and hands it to the spooler. With no
    // output since the last EndDoc nothing is sent. Fails, naming the
    // printer, when the document could not be started, drawn, ended or
    // spooled.
    virtual core::Result<> EndDoc() = 0;
};

// A printer driven by a QPrinter: the system's default printer, or a PDF
// file (screenshots). Coordinates start at the printable area's top-left.
class DevicePrinter : public Printer {
public:
    // The system's default printer, as the spooler names it now.
    DevicePrinter();
    // Writes every document to the PDF file (the last document wins).
    DevicePrinter(const QString &pdfPath, const QPageLayout &layout);
    ~DevicePrinter() override;

    double Width() const override;
    double Height() const override;
    core::Result<> EndDoc() override;

protected:
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;

private:
    // The printer's own name ("" when there is none), or the file's.
    QString deviceName() const;
    core::Result<> beginDocument();

    std::unique_ptr<QPrinter> printer_;
    const bool toSpooler_;
    QPainter painter_;
    // Why the document in progress could not be started: the rest of it
    // is dropped, and EndDoc reports it.
    std::optional<core::Failure> documentFault_;
};

} // namespace platform
