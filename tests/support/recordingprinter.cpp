#include "recordingprinter.h"

#include "platform/units.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QTextItem>
#include <span>

namespace testsupport {
namespace {

constexpr int DotsPerInch = 600;
constexpr double MarginTwips = 360;

// Hands every line and text that reaches it to the printer's record.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(RecordingPrinter &printer) : QPaintEngine(AllFeatures), printer_(printer) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &) override {}
    void drawLines(const QLineF *lines, int count) override
    {
        for (const QLineF &line : std::span(lines, count))
            printer_.record(RecordingPrinter::Op::Line, QRectF(line.p1(), line.p2()), painter()->pen().color(),
                            isXor());
    }
    void drawTextItem(const QPointF &baseline, const QTextItem &item) override
    {
        const QFontMetricsF metrics(item.font(), paintDevice());
        printer_.record(RecordingPrinter::Op::Text,
                        QRectF(baseline.x(), baseline.y() - metrics.ascent(), item.width(), metrics.height()),
                        painter()->pen().color(), isXor(), item.text(), item.font());
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

private:
    bool isXor() const { return painter()->compositionMode() == QPainter::RasterOp_SourceXorDestination; }
    RecordingPrinter &printer_;
};

// The printable area at 600 dpi, painted through the recording engine.
class Paper : public QImage {
public:
    Paper(RecordingPrinter &printer, QSize size) : QImage(size, Format_RGB32), engine_(printer)
    {
        setDotsPerMeterX(qRound(DotsPerInch / 0.0254));
        setDotsPerMeterY(qRound(DotsPerInch / 0.0254));
    }
    QPaintEngine *paintEngine() const override { return &engine_; }

private:
    mutable RecordingEngine engine_;
};

} // namespace

RecordingPrinter::RecordingPrinter(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
    : paper_(QPageSize(paper).size(QPageSize::Point) * platform::TwipsPerPoint)
{
    if (orientation == QPageLayout::Landscape)
        paper_.transpose();
    device_ = std::make_unique<Paper>(*this, drawableArea().size().toSize());
}

RecordingPrinter::~RecordingPrinter() = default;

QRectF RecordingPrinter::drawableArea() const
{
    return QRectF(QPointF(0, 0),
                  (paper_ - QSizeF(2 * MarginTwips, 2 * MarginTwips)) * DotsPerInch / platform::TwipsPerInch);
}

QPaintDevice *RecordingPrinter::metricsDevice() const { return device_.get(); }

QPainter *RecordingPrinter::painter()
{
    if (!painter_)
        painter_ = std::make_unique<QPainter>(device_.get());
    return painter_.get();
}

void RecordingPrinter::record(Op::Kind kind, const QRectF &device, const QColor &colour, bool xorPen,
                              const QString &text, const QFont &font)
{
    const QPointF origin = toDevice(0, 0), unit = toDevice(1, 1) - origin;
    const auto user
        = [&](QPointF p) { return QPointF((p.x() - origin.x()) / unit.x(), (p.y() - origin.y()) / unit.y()); };
    const QPointF a = user(device.topLeft()), b = user(device.bottomRight());
    const QSizeF area = drawableArea().size();
    ops_.push_back({kind, a.x(), a.y(), b.x(), b.y(),
                    QRectF(device.x() / area.width(), device.y() / area.height(), device.width() / area.width(),
                           device.height() / area.height()),
                    core::Colour(colour.red() | colour.green() << 8 | colour.blue() << 16),
                    xorPen ? platform::XorPen : platform::CopyPen, text, font, documents_ + 1});
}

std::vector<RecordingPrinter::Op> RecordingPrinter::opsOf(int document, Op::Kind kind) const
{
    std::vector<Op> found;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(found),
                 [&](const Op &op) { return op.document == document && op.kind == kind; });
    return found;
}

core::Result<> RecordingPrinter::EndDoc()
{
    ++endDocs_;
    documents_ += bool(std::exchange(painter_, nullptr));
    if (afterEndDoc)
        afterEndDoc();
    return {};
}

} // namespace testsupport
