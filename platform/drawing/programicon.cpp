#include "programicon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace platform {

// A calendar page: white sheet, red binding strip, a blue crescent.
QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3, 4, 26, 25), 2, 2);
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    p.drawRect(QRectF(3, 4, 26, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x40, 0xC0));
    QPainterPath moon;
    moon.addEllipse(QPointF(16, 19.5), 7, 7);
    QPainterPath bite;
    bite.addEllipse(QPointF(19, 17.5), 6, 6);
    p.drawPath(moon.subtracted(bite));
    p.end();
    return image;
}

namespace {

// The icon is drawn at a size only when a size is asked for: drawing all of
// them up front would cost every start-up a few milliseconds, and most
// platforms take one or two sizes, or none.
class ProgramIconEngine : public QIconEngine {
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->drawImage(rect, programIconImage(qMax(rect.width(), rect.height())));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        const int side = qMax(1, qRound(qMin(size.width(), size.height()) * scale));
        QPixmap &cached = cache_[side];
        if (cached.isNull())
            cached = QPixmap::fromImage(programIconImage(side));
        QPixmap shown = cached;
        shown.setDevicePixelRatio(scale);
        return shown;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(24, 24),   QSize(32, 32),  QSize(48, 48),
                QSize(64, 64), QSize(128, 128), QSize(256, 256)};
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return QSize(side, side);
    }

    QString key() const override { return QStringLiteral("dovrin-program-icon"); }
    QIconEngine *clone() const override { return new ProgramIconEngine(*this); }

private:
    std::map<int, QPixmap> cache_;
};

} // namespace

QIcon programIcon()
{
    static const QIcon icon(new ProgramIconEngine);
    return icon;
}

} // namespace platform
