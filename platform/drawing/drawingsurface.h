// The drawing surface on which month pages are drawn: the screen's picture
// controls and the printer share these operations and their meanings.
#pragma once

#include "core/state.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace platform {

enum DrawModeValue : int { XorPen = 7, CopyPen = 13 };

// Drawn through a QPainter; a subclass supplies the painter, the drawable
// area and the device.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Fills the surface with its background (white); the position goes to 0, 0.
    void Cls();
    // Scale (x1, y1)-(x2, y2): the drawable area's top-left corner becomes
    // (x1, y1) and its bottom-right corner (x2, y2). Coordinates only: text
    // keeps its font's own size.
    void Scale(double x1, double y1, double x2, double y2);
    // Scale with no arguments: the device's own units, twips from the
    // drawable area's top-left corner.
    void Scale();

    core::Colour ForeColor() const { return foreColor_; }
    void setForeColor(core::Colour colour) { foreColor_ = colour & 0xFFFFFF; }
    int DrawMode() const { return drawMode_; }
    void setDrawMode(int mode) { drawMode_ = mode; }

    // A one-pixel solid line in ForeColor or the given colour.
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, foreColor_); }
    void Line(double x1, double y1, double x2, double y2, core::Colour colour);
    // Line ... , B: the outline of the box with those corners.
    void LineBox(double x1, double y1, double x2, double y2, core::Colour colour);
    // Line ... , BF: the box filled with the colour, combined by DrawMode.
    void LineBoxFilled(double x1, double y1, double x2, double y2, core::Colour colour);

    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }

    enum class After { NextLine, StayOnLine };
    // Draws only the glyphs of s with their top-left corner at the current
    // position, in ForeColor; then moves to the next line, or (StayOnLine,
    // the trailing semicolon) just behind the text.
    void Print(const QString &s, After after = After::NextLine);
    double TextWidth(const QString &s) const;
    double TextHeight(const QString &s) const;

    QFont TextFont() const { return font_; }
    void setTextFont(const QFont &font)
    {
        font_ = font;
        measures_.clear();
    }
    QString FontName() const { return font_.family(); }
    void setFontName(const QString &name);
    double FontSize() const { return font_.pointSizeF(); }
    void setFontSize(double points);
    bool FontBold() const { return font_.bold(); }
    void setFontBold(bool bold);

    // Device position of a point in user units.
    QPointF toDevice(double x, double y) const;

protected:
    // An active painter on the device; null when drawing cannot start (the
    // operation is then skipped).
    virtual QPainter *painter() = 0;
    // The drawable area in the painter's coordinates.
    virtual QRectF drawableArea() const = 0;
    // The device that fonts are measured for.
    virtual QPaintDevice *metricsDevice() const = 0;
    // Screens snap to whole pixels so that lines are crisp and XOR boxes
    // cover whole pixels; printers keep fractions.
    virtual bool snapsToPixels() const { return false; }

private:
    double snap(double v) const;
    // Device pixels per painter unit (screen scaling); 1 for printers.
    double pixelRatio() const;
    // The whole device pixels that a straight line or a box between two
    // painter points covers on a surface that snaps to pixels: both end
    // pixels included, lines as wide as one logical pixel.
    QRectF pixelBox(QPointF a, QPointF b) const;
    bool isStraight(QPointF a, QPointF b) const;
    void useDrawMode(QPainter &p) const;

    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 1, scaleHeight_ = 1;
    bool twipsScale_ = true;
    core::Colour foreColor_ = core::Black;
    int drawMode_ = CopyPen;
    double currentX_ = 0, currentY_ = 0;
    QFont font_;

    // Text measures in the current font on the current device, in device
    // units: a page measures the same few texts again and again, and each
    // measure shapes the text anew.
    struct Measures {
        const QPaintDevice *device = nullptr;
        double ratio = 0;
        int dpiX = 0, dpiY = 0;
        double lineHeight = 0;
        QHash<QString, double> widths;
        void clear()
        {
            device = nullptr;
            widths.clear();
        }
    };
    Measures &measuresNow() const;
    mutable Measures measures_;
};

} // namespace platform
