// A printer that puts nothing on paper and remembers every operation in the
// units it was given in. Fonts are measured as on a 600 dpi printer; the
// paper is upright A4 unless another size or orientation is given, with a
// quarter inch all round that the printer cannot reach.
#pragma once

#include "platform/printer.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <vector>

namespace testsupport {

class RecordingPrinter : public platform::Printer {
public:
    RecordingPrinter(QPageSize::PageSizeId paper = QPageSize::A4,
                     QPageLayout::Orientation orientation = QPageLayout::Portrait);

    struct Op {
        enum Kind { Cls, SetScale, ResetScale, Line, Box, FilledBox, Text, EndDoc };
        Kind kind = Cls;
        // Corners, in the units of the scale in force. Text: its box, from
        // the position it was printed at to that plus its width and height.
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        core::Colour colour = core::Black;
        int drawMode = platform::CopyPen;
        QString text;
        QFont font; // Text: the font it was printed in
        // The document the operation belongs to, counted from 1; 0 for an
        // EndDoc without a document in progress.
        int document = 0;
    };

    const std::vector<Op> &ops() const { return ops_; }
    std::vector<Op> opsOf(int document, Op::Kind kind) const;
    // Documents ended with something on them.
    int documentCount() const { return documentsSent_; }
    void clear();

    // Called after every EndDoc: tests act between two documents here.
    std::function<void()> afterEndDoc;
    // The document of this number (counted from 1) is not taken when it is
    // ended, with failureText as the printer's fault; 0 for none.
    int failingDocument = 0;
    QString failureText;

    double Width() const override { return paperTwips_.width(); }
    double Height() const override { return paperTwips_.height(); }
    bool EndDoc() override;
    QString DeviceName() const override { return QStringLiteral("Recorder"); }

    void Cls() override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void Scale() override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Line(double x1, double y1, double x2, double y2, core::Colour colour) override;
    void LineBox(double x1, double y1, double x2, double y2, core::Colour colour) override;
    void LineBoxFilled(double x1, double y1, double x2, double y2, core::Colour colour) override;
    void Print(const QString &s, After after = After::NextLine) override;

protected:
    QPainter *painter() override { return nullptr; }
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override { return &metrics_; }

private:
    Op &record(Op::Kind kind, double x1, double y1, double x2, double y2, core::Colour colour);

    QSizeF paperTwips_;
    mutable QImage metrics_;
    std::vector<Op> ops_;
    bool documentOpen_ = false;
    int documentsSent_ = 0;
};

} // namespace testsupport
