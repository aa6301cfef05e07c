#include "recordingprinter.h"

#include "platform/units.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QTextItem>

namespace testsupport {

namespace {
constexpr int DotsPerInch = 600;
constexpr double MarginTwips = 360; // a quarter inch all round

QSizeF paperTwips(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
{
    const QSizeF upright = QPageSize(paper).size(QPageSize::Point) * platform::TwipsPerPoint;
    return orientation == QPageLayout::Landscape ? upright.transposed() : upright;
}

core::Colour colourOf(const QColor &c) { return core::Colour(c.red() | c.green() << 8 | c.blue() << 16); }

// Hands every line, box and text that reaches it to the printer's record.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(RecordingPrinter &printer) : QPaintEngine(AllFeatures), printer_(printer) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
        if (state.state() & DirtyCompositionMode)
            xor_ = state.compositionMode() == QPainter::RasterOp_SourceXorDestination;
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            printer_.record(RecordingPrinter::Op::Line, QRectF(lines[i].p1(), lines[i].p2()), colourOf(pen_.color()),
                            xor_);
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            printer_.record(RecordingPrinter::Op::FilledBox, rects[i], colourOf(brush_.color()), xor_);
    }
    void drawTextItem(const QPointF &baseline, const QTextItem &item) override
    {
        const QFontMetricsF metrics(item.font(), paintDevice());
        const QPointF topLeft(baseline.x(), baseline.y() - metrics.ascent());
        printer_.record(RecordingPrinter::Op::Text, QRectF(topLeft, QSizeF(item.width(), metrics.height())),
                        colourOf(pen_.color()), xor_, item.text(), item.font());
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

private:
    RecordingPrinter &printer_;
    QPen pen_;
    QBrush brush_;
    bool xor_ = false;
};

// The paper at 600 dpi, its printable area as the device's size.
class Paper : public QPaintDevice {
public:
    Paper(RecordingPrinter &printer, QSizeF printable) : engine_(printer), size_(printable.toSize()) {}
    QPaintEngine *paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return qRound(size_.width() * 25.4 / DotsPerInch);
        case PdmHeightMM:
            return qRound(size_.height() * 25.4 / DotsPerInch);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return DotsPerInch;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingEngine engine_;
    QSize size_;
};

} // namespace

RecordingPrinter::RecordingPrinter(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
    : paperTwips_(paperTwips(paper, orientation))
{
    paper_ = std::make_unique<Paper>(*this, drawableArea().size());
}

RecordingPrinter::~RecordingPrinter() = default;

QRectF RecordingPrinter::drawableArea() const
{
    const QSizeF printable = paperTwips_ - QSizeF(2 * MarginTwips, 2 * MarginTwips);
    return QRectF(QPointF(0, 0), printable * (double(DotsPerInch) / platform::TwipsPerInch));
}

QPaintDevice *RecordingPrinter::metricsDevice() const { return paper_.get(); }

QPainter *RecordingPrinter::painter()
{
    if (!painter_)
        painter_ = std::make_unique<QPainter>(paper_.get());
    return painter_.get();
}

void RecordingPrinter::record(Op::Kind kind, QRectF box, core::Colour colour, bool xor_, const QString &text,
                              const QFont &font)
{
    // Device units back to the units of the scale in force.
    const QPointF origin = toDevice(0, 0), unit = toDevice(1, 1) - origin;
    const auto user
        = [&](QPointF p) { return QPointF((p.x() - origin.x()) / unit.x(), (p.y() - origin.y()) / unit.y()); };
    const QPointF a = user(box.topLeft()), b = user(box.bottomRight());
    const QSizeF area = drawableArea().size();
    const QRectF onPaper(box.x() / area.width(), box.y() / area.height(), box.width() / area.width(),
                         box.height() / area.height());
    ops_.push_back({kind, a.x(), a.y(), b.x(), b.y(), onPaper, colour, xor_ ? platform::XorPen : platform::CopyPen,
                    text, font, documentsSent_ + 1});
}

std::vector<RecordingPrinter::Op> RecordingPrinter::opsOf(int document, Op::Kind kind) const
{
    std::vector<Op> found;
    for (const Op &op : ops_)
        if (op.document == document && op.kind == kind)
            found.push_back(op);
    return found;
}

core::Result<> RecordingPrinter::EndDoc()
{
    ++endDocs_;
    core::Result<> taken;
    if (painter_) {
        painter_.reset();
        if (documentsSent_ + 1 == failingDocument) {
            std::erase_if(ops_, [&](const Op &op) { return op.document == documentsSent_ + 1; });
            taken = core::Failure{failureText};
        } else {
            ++documentsSent_;
        }
    }
    if (afterEndDoc)
        afterEndDoc();
    return taken;
}

} // namespace testsupport
