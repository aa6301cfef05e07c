// A picture control: a bordered box that shows an image which the drawing
// surface operations draw into. The image keeps the drawing, so a covered
// window is restored without drawing again.
#pragma once

#include "drawingsurface.h"

#include <QFrame>
#include <QImage>
#include <memory>

namespace platform {

class PictureBox : public QFrame, public PainterSurface {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    // The drawing as it stands (device pixels; devicePixelRatio() tells the scale).
    const QImage &image();

protected:
    void paintEvent(QPaintEvent *event) override;
    QPainter *painter() override;
    QRectF drawableArea() const override;
    QPaintDevice *metricsDevice() const override;
    bool snapsToPixels() const override { return true; }

private:
    void ensureImage() const;

    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
};

} // namespace platform
