// A picture control: a bordered box that shows an image which the drawing
// surface operations draw into. The image keeps the drawing, so a covered
// window is restored without drawing again.
#pragma once

#include "platform/drawing/drawingsurface.h"

#include <QFrame>
#include <QImage>
#include <memory>

namespace platform {

class PictureBox : public QFrame, public DrawingSurface {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    // The drawing as it stands, in device pixels with the screen's device
    // pixel ratio; the inner area inside the border. Drawing in progress is
    // finished first, so a copy of it never changes afterwards.
    const QImage &image();

signals:
    // A mouse button went down on the picture; the press goes no further.
    void mouseDown();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;
    bool snapsToPixels() const override { return true; }

private:
    // Makes the image match the inner area and the device pixel ratio.
    void ensureImage() const;
    void finishDrawing() const;
    // Asks the screen to show the drawing, but only when it differs from
    // what was last shown: a page drawn again the same way schedules no
    // paint, so a repaint can never feed another.
    void showChangedDrawing();

    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    QImage requested_; // the drawing the screen was last asked to show
    bool showQueued_ = false;
};

} // namespace platform
