#include "recordingprinter.h"

namespace testsupport {

namespace {
constexpr int DotsPerInch = 600;
constexpr double TwipsPerInch = 1440;
constexpr double MarginTwips = 360; // a quarter inch all round

QSizeF paperTwips(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
{
    const QSizeF upright = QPageSize(paper).size(QPageSize::Point) * (TwipsPerInch / 72);
    return orientation == QPageLayout::Landscape ? upright.transposed() : upright;
}
} // namespace

RecordingPrinter::RecordingPrinter(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
    : paperTwips_(paperTwips(paper, orientation)), metrics_(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(DotsPerInch / 0.0254);
    metrics_.setDotsPerMeterX(dotsPerMeter);
    metrics_.setDotsPerMeterY(dotsPerMeter);
}

QRectF RecordingPrinter::drawableArea() const
{
    const QSizeF printable = paperTwips_ - QSizeF(2 * MarginTwips, 2 * MarginTwips);
    return QRectF(QPointF(0, 0), printable * (DotsPerInch / TwipsPerInch));
}

std::vector<RecordingPrinter::Op> RecordingPrinter::opsOf(int document, Op::Kind kind) const
{
    std::vector<Op> found;
    for (const Op &op : ops_)
        if (op.document == document && op.kind == kind)
            found.push_back(op);
    return found;
}

void RecordingPrinter::clear()
{
    ops_.clear();
    documentOpen_ = false;
    documentsSent_ = 0;
}

RecordingPrinter::Op &RecordingPrinter::record(Op::Kind kind, double x1, double y1, double x2, double y2,
                                               core::Colour colour)
{
    const bool draws = kind != Op::SetScale && kind != Op::ResetScale && kind != Op::EndDoc;
    if (draws && !documentOpen_) {
        documentOpen_ = true;
        clearFault();
    }
    Op op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    op.drawMode = DrawMode();
    op.document = documentOpen_ ? documentsSent_ + 1 : 0;
    ops_.push_back(op);
    return ops_.back();
}

bool RecordingPrinter::EndDoc()
{
    record(Op::EndDoc, 0, 0, 0, 0, ForeColor());
    bool taken = true;
    if (documentOpen_) {
        documentOpen_ = false;
        taken = documentsSent_ + 1 != failingDocument;
        if (taken)
            ++documentsSent_;
        else if (!failureText.isEmpty())
            fail(failureText);
    }
    if (afterEndDoc)
        afterEndDoc();
    return taken;
}

void RecordingPrinter::Cls()
{
    record(Op::Cls, 0, 0, 0, 0, ForeColor());
    Printer::Cls();
}

void RecordingPrinter::Scale(double x1, double y1, double x2, double y2)
{
    record(Op::SetScale, x1, y1, x2, y2, ForeColor());
    Printer::Scale(x1, y1, x2, y2);
}

void RecordingPrinter::Scale()
{
    record(Op::ResetScale, 0, 0, 0, 0, ForeColor());
    Printer::Scale();
}

void RecordingPrinter::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor()); }

void RecordingPrinter::Line(double x1, double y1, double x2, double y2, core::Colour colour)
{
    record(Op::Line, x1, y1, x2, y2, colour);
    Printer::Line(x1, y1, x2, y2, colour);
}

void RecordingPrinter::LineBox(double x1, double y1, double x2, double y2, core::Colour colour)
{
    record(Op::Box, x1, y1, x2, y2, colour);
}

void RecordingPrinter::LineBoxFilled(double x1, double y1, double x2, double y2, core::Colour colour)
{
    record(Op::FilledBox, x1, y1, x2, y2, colour);
    Printer::LineBoxFilled(x1, y1, x2, y2, colour);
}

void RecordingPrinter::Print(const QString &s, After after)
{
    const double x = CurrentX(), y = CurrentY();
    Op &op = record(Op::Text, x, y, x + TextWidth(s), y + TextHeight(s), ForeColor());
    op.text = s;
    op.font = TextFont();
    Printer::Print(s, after);
}

} // namespace testsupport
