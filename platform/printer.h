// The printer: a drawing surface on paper that the print job fills one
// document at a time. The first output after EndDoc starts a new document;
// every document is one spooler job.
#pragma once

#include "drawingsurface.h"

#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <memory>

class QPrinter;

namespace platform {

class Printer : public PainterSurface {
public:
    // A printer starts in Arial 10 pt, regular.
    Printer();

    // The paper's size in twips, as the paper lies (landscape is wider).
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // Ends the document in progress and hands it to the spooler. With no
    // output since the last EndDoc nothing is sent. False when the document
    // could not be started, drawn, ended or spooled; ErrorText says why.
    virtual bool EndDoc() = 0;
    // The printer's own name ("" when there is none).
    virtual QString DeviceName() const = 0;

    // What went wrong with the current or last document, naming the printer;
    // empty while all is well.
    QString ErrorText() const { return errorText_; }

protected:
    // Keeps the first fault of a document: later ones follow from it.
    void fail(const QString &why);
    void clearFault() { errorText_.clear(); }

private:
    QString errorText_;
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
    bool EndDoc() override;
    QString DeviceName() const override;

protected:
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;

private:
    bool beginDocument();
    // A fault found while a document is under way: the rest of the document
    // is dropped.
    void failDocument(const QString &why);

    std::unique_ptr<QPrinter> printer_;
    const bool toSpooler_;
    QPainter painter_;
    bool documentFailed_ = false;
};

} // namespace platform
