#include "picturebox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace platform {

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() { finishDrawing(); }

void PictureBox::ensureImage() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = contentsRect().size().expandedTo(QSize(1, 1));
    const QSize pixels = (QSizeF(logical) * ratio).toSize();
    if (image_.size() == pixels && image_.devicePixelRatio() == ratio)
        return;
    finishDrawing();
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
}

void PictureBox::finishDrawing() const
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

const QImage &PictureBox::image()
{
    ensureImage();
    finishDrawing();
    return image_;
}

QPainter *PictureBox::painter()
{
    if (!painter_) {
        ensureImage();
        painter_ = std::make_unique<QPainter>(&image_);
    }
    if (!showQueued_) {
        // Shown once the handler that draws has returned, all of it at once.
        showQueued_ = true;
        QMetaObject::invokeMethod(this, &PictureBox::showChangedDrawing, Qt::QueuedConnection);
    }
    return painter_.get();
}

void PictureBox::showChangedDrawing()
{
    showQueued_ = false;
    finishDrawing();
    if (image_ == requested_)
        return;
    requested_ = image_;
    update(contentsRect());
}

// While a drawing is under way the image keeps its size: asking the widget
// for its device pixel ratio at every operation would cost a sixth of a page.
QRectF PictureBox::drawableArea() const
{
    if (!painter_)
        ensureImage();
    return QRectF(QPointF(0, 0), QSizeF(image_.size()) / image_.devicePixelRatio());
}

QPaintDevice *PictureBox::metricsDevice() const
{
    if (!painter_)
        ensureImage();
    return &image_;
}

bool PictureBox::event(QEvent *event)
{
    // A new size or screen: the next drawing takes the image anew.
    if (event->type() == QEvent::Resize || event->type() == QEvent::ScreenChangeInternal)
        finishDrawing();
    return QFrame::event(event);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    ensureImage();
    finishDrawing();
    {
        QPainter p(this);
        p.drawImage(contentsRect().topLeft(), image_);
    }
    QFrame::paintEvent(event); // the border
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown();
}

} // namespace platform
