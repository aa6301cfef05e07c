// A printer that puts nothing on paper and remembers what reaches the paper:
// a paint engine of its own records every line, filled box and text in the
// page units in force when it was drawn. Fonts are measured as on a 600 dpi
// printer; the paper is upright A4 unless another size or orientation is
// given, with a quarter inch all round that the printer cannot reach.
#pragma once

#include "platform/printing/printer.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

class RecordingPrinter : public platform::Printer {
public:
    RecordingPrinter(QPageSize::PageSizeId paper = QPageSize::A4,
                     QPageLayout::Orientation orientation = QPageLayout::Portrait);
    ~RecordingPrinter() override;

    struct Op {
        enum Kind { Line, FilledBox, Text };
        Kind kind = Line;
        // Corners, in the units of the scale in force. Text: its box, from
        // the position it was printed at to that plus its width and height.
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        // The same box as fractions (0 to 1) of the printable area.
        QRectF onPaper;
        core::Colour colour = core::Black;
        int drawMode = platform::CopyPen;
        QString text;
        QFont font;       // Text: the font it was printed in
        int document = 0; // counted from 1
    };

    const std::vector<Op> &ops() const { return ops_; }
    std::vector<Op> opsOf(int document, Op::Kind kind) const;
    // Documents ended with something on them, and EndDoc calls in all.
    int documentCount() const { return documentsSent_; }
    int endDocCount() const { return endDocs_; }

    // Called after every EndDoc: tests act between two documents here.
    std::function<void()> afterEndDoc;
    // The document of this number (counted from 1) is not taken when it is
    // ended, with failureText as the printer's fault; 0 for none.
    int failingDocument = 0;
    QString failureText = QStringLiteral("The printer \"Recorder\" failed.");

    double Width() const override { return paperTwips_.width(); }
    double Height() const override { return paperTwips_.height(); }
    core::Result<> EndDoc() override;

    // What the engine saw, in device units: recorded in page units here.
    void record(Op::Kind kind, QRectF deviceBox, core::Colour colour, bool xor_, const QString &text = {},
                const QFont &font = {});

protected:
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;

private:
    QSizeF paperTwips_;
    std::unique_ptr<QPaintDevice> paper_;
    std::unique_ptr<QPainter> painter_;
    std::vector<Op> ops_;
    int documentsSent_ = 0;
    int endDocs_ = 0;
};

} // namespace testsupport
