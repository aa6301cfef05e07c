#include "drawingsurface.h"

#include "platform/units.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace platform {

void DrawingSurface::setFontName(const QString &name)
{
    QFont font = font_;
    font.setFamily(name);
    setTextFont(font);
}

void DrawingSurface::setFontSize(double points)
{
    QFont font = font_;
    if (points > 0 && std::isfinite(points))
        font.setPointSizeF(points);
    setTextFont(font);
}

void DrawingSurface::setFontBold(bool bold)
{
    QFont font = font_;
    font.setBold(bold);
    setTextFont(font);
}

void DrawingSurface::Cls()
{
    if (QPainter *p = painter()) {
        p->save();
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(drawableArea(), Qt::white);
        p->restore();
    }
    currentX_ = 0;
    currentY_ = 0;
}

void DrawingSurface::Scale(double x1, double y1, double x2, double y2)
{
    if (x1 == x2 || y1 == y2 || !std::isfinite(x1 + x2 + y1 + y2))
        return; // a degenerate scale would divide by zero; keep the old one
    twipsScale_ = false;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
}

void DrawingSurface::Scale()
{
    twipsScale_ = true;
    scaleLeft_ = 0;
    scaleTop_ = 0;
}

QPointF DrawingSurface::toDevice(double x, double y) const
{
    const QRectF area = drawableArea();
    double unitX, unitY; // device units per user unit
    if (twipsScale_) {
        const QPaintDevice *device = metricsDevice();
        const auto perTwip = [](int dpi) { return double(dpi) / TwipsPerInch; };
        unitX = perTwip(device ? device->logicalDpiX() : PixelsPerInch);
        unitY = perTwip(device ? device->logicalDpiY() : PixelsPerInch);
    } else {
        unitX = area.width() / scaleWidth_;
        unitY = area.height() / scaleHeight_;
    }
    return {area.left() + (x - scaleLeft_) * unitX, area.top() + (y - scaleTop_) * unitY};
}

double DrawingSurface::pixelRatio() const
{
    const QPaintDevice *device = metricsDevice();
    const double ratio = device ? device->devicePixelRatioF() : 1.0;
    return ratio > 0 ? ratio : 1.0;
}

double DrawingSurface::snap(double v) const
{
    if (!snapsToPixels())
        return v;
    const double ratio = pixelRatio();
    return std::floor(v * ratio + 0.5) / ratio;
}

bool DrawingSurface::isStraight(QPointF a, QPointF b) const
{
    return snap(a.x()) == snap(b.x()) || snap(a.y()) == snap(b.y());
}

QRectF DrawingSurface::pixelBox(QPointF a, QPointF b) const
{
    const double ratio = pixelRatio();
    const auto pixel = [ratio](double v) { return std::floor(v * ratio + 0.5); };
    const double lineWidth = std::max(1.0, std::floor(ratio)); // in device pixels
    const double left = std::min(pixel(a.x()), pixel(b.x()));
    const double right = std::max(pixel(a.x()), pixel(b.x())) + lineWidth;
    const double top = std::min(pixel(a.y()), pixel(b.y()));
    const double bottom = std::max(pixel(a.y()), pixel(b.y())) + lineWidth;
    return QRectF(QPointF(left / ratio, top / ratio), QPointF(right / ratio, bottom / ratio));
}

void DrawingSurface::useDrawMode(QPainter &p) const
{
    p.setCompositionMode(drawMode_ == XorPen ? QPainter::RasterOp_SourceXorDestination
                                             : QPainter::CompositionMode_SourceOver);
}

void DrawingSurface::Line(double x1, double y1, double x2, double y2, core::Colour colour)
{
    QPainter *p = painter();
    if (!p)
        return;
    const QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    useDrawMode(*p);
    if (snapsToPixels() && isStraight(a, b)) {
        // Whole device pixels, so that an XOR box over a cell meets its lines exactly.
        p->fillRect(pixelBox(a, b).intersected(drawableArea()), core::toQColor(colour));
    } else {
        p->setPen(QPen(core::toQColor(colour), 0)); // cosmetic: one device pixel
        p->drawLine(QPointF(snap(a.x()), snap(a.y())), QPointF(snap(b.x()), snap(b.y())));
    }
    p->restore();
}

void DrawingSurface::LineBox(double x1, double y1, double x2, double y2, core::Colour colour)
{
    Line(x1, y1, x2, y1, colour);
    Line(x2, y1, x2, y2, colour);
    Line(x2, y2, x1, y2, colour);
    Line(x1, y2, x1, y1, colour);
}

void DrawingSurface::LineBoxFilled(double x1, double y1, double x2, double y2, core::Colour colour)
{
    QPainter *p = painter();
    if (!p)
        return;
    const QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
    const QRectF box = snapsToPixels() // both corner pixels belong to the box
        ? pixelBox(a, b)
        : QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    p->save();
    useDrawMode(*p);
    p->fillRect(box.intersected(drawableArea()), core::toQColor(colour));
    p->restore();
}

void DrawingSurface::Print(const QString &s, After after)
{
    if (QPainter *p = painter()) {
        const QFont font(font_, metricsDevice());
        const QFontMetricsF metrics(font, metricsDevice());
        const QPointF at = toDevice(currentX_, currentY_);
        p->save();
        p->setCompositionMode(QPainter::CompositionMode_SourceOver); // text ignores DrawMode
        p->setFont(font);
        p->setPen(core::toQColor(foreColor_));
        p->drawText(QPointF(snap(at.x()), snap(at.y()) + metrics.ascent()), s);
        p->restore();
    }
    if (after == After::StayOnLine) {
        currentX_ += TextWidth(s);
    } else {
        currentX_ = twipsScale_ ? 0 : scaleLeft_;
        currentY_ += TextHeight(s);
    }
}

DrawingSurface::Measures &DrawingSurface::measuresNow() const
{
    const QPaintDevice *device = metricsDevice();
    const double ratio = device ? device->devicePixelRatioF() : 1;
    const int dpiX = device ? device->logicalDpiX() : 0, dpiY = device ? device->logicalDpiY() : 0;
    if (measures_.device != device || measures_.ratio != ratio || measures_.dpiX != dpiX || measures_.dpiY != dpiY) {
        measures_.widths.clear();
        measures_.device = device;
        measures_.ratio = ratio;
        measures_.dpiX = dpiX;
        measures_.dpiY = dpiY;
        measures_.lineHeight = QFontMetricsF(font_, device).height();
    }
    return measures_;
}

double DrawingSurface::TextWidth(const QString &s) const
{
    Measures &m = measuresNow();
    auto it = m.widths.constFind(s);
    if (it == m.widths.cend()) {
        if (m.widths.size() > 4096)
            m.widths.clear();
        it = m.widths.insert(s, QFontMetricsF(font_, m.device).horizontalAdvance(s));
    }
    return *it / (toDevice(1, 0).x() - toDevice(0, 0).x());
}

double DrawingSurface::TextHeight(const QString &s) const
{
    const auto lines = std::max<qsizetype>(1, s.count(u'\n') + 1);
    return lines * measuresNow().lineHeight / (toDevice(0, 1).y() - toDevice(0, 0).y());
}

} // namespace platform
