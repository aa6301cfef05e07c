#include "window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QScreen>

#include <map>

namespace platform {

QFont arialFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(twipsRect(left, top, width, height));
}

void applyWindowLook(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(arialFont(9.75, true));
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    const QSize inner = window->size();
    // Before the first show the frame is not known yet: assume the inner size.
    const QSize outer = frame.size().isValid() && frame.size() != QSize(0, 0) ? frame.size() : inner;
    const int left = area.left() + (area.width() - outer.width()) / 2;
    const int top = area.top() + (area.height() - outer.height()) / 2;
    window->move(left, top); // move() places the frame's top-left corner
}

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
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64), QSize(128, 128),
                QSize(256, 256)};
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

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, Qt::Alignment alignment)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    return label;
}

QLineEdit *makeTextBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void setTabOrder(std::initializer_list<QWidget *> controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace platform
