// A printer that puts nothing on paper and remembers every line and text that reaches it, in the page units in
// force when drawn. Fonts measure as on a 600 dpi printer; the paper is upright A4 unless told otherwise, with a
// quarter inch all round that the printer cannot reach.
#pragma once

#include "platform/printing/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <memory>

namespace testsupport {

class RecordingPrinter : public platform::Printer {
public:
    explicit RecordingPrinter(QPageSize::PageSizeId paper = QPageSize::A4,
                              QPageLayout::Orientation orientation = QPageLayout::Portrait);
    ~RecordingPrinter() override;

    struct Op {
        enum Kind { Line, Text } kind;
        double x1, y1, x2, y2; // page units; a text's box from where it was printed
        QRectF onPaper;        // the same as fractions of the printable area
        core::Colour colour;
        int drawMode;
        QString text;
        QFont font;
        int document; // counted from 1
    };
    std::vector<Op> opsOf(int document, Op::Kind kind) const;
    int documentCount() const { return documents_; } // documents ended with something on them
    int endDocCount() const { return endDocs_; }

    std::function<void()> afterEndDoc; // tests act between two documents here

    double Width() const override { return paper_.width(); }
    double Height() const override { return paper_.height(); }
    core::Result<> EndDoc() override;
    void record(Op::Kind kind, const QRectF &device, const QColor &colour, bool xorPen, const QString &text = {},
                const QFont &font = {});

protected:
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;

private:
    QSizeF paper_; // twips
    std::unique_ptr<QPaintDevice> device_;
    std::unique_ptr<QPainter> painter_;
    std::vector<Op> ops_;
    int documents_ = 0, endDocs_ = 0;
};

} // namespace testsupport
