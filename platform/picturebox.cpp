#include "picturebox.h"

#include <QPaintEvent>

namespace platform {

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox()
{
    if (painter_)
        painter_->end();
}

void PictureBox::ensureImage() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = contentsRect().size().expandedTo(QSize(1, 1));
    const QSize pixels = (QSizeF(logical) * ratio).toSize();
    if (image_.size() == pixels && image_.devicePixelRatio() == ratio)
        return;
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
}

const QImage &PictureBox::image()
{
    ensureImage();
    return image_;
}

QPainter *PictureBox::painter()
{
    ensureImage();
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&image_);
    update();
    return painter_.get();
}

QRectF PictureBox::drawableArea() const
{
    ensureImage();
    return QRectF(QPointF(0, 0), QSizeF(image_.size()) / image_.devicePixelRatio());
}

QPaintDevice *PictureBox::metricsDevice() const
{
    ensureImage();
    return &image_;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    ensureImage();
    {
        QPainter p(this);
        p.drawImage(contentsRect().topLeft(), image_);
    }
    QFrame::paintEvent(event); // the border
}

} // namespace platform
