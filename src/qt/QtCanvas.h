#pragma once

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRect>
#include <algorithm>
#include <limits>

#include "platform/Canvas.h"

namespace zw {

// Draws one pass into a plane's backing image. View coordinates have y up and the image has
// y down; every point is flipped here instead of through a painter transform so that text
// stays upright. View units are the image's logical pixels: on a high-density screen the image
// holds devicePixelRatio() device pixels per unit, the painter draws paths and text at that
// resolution, and boxes written straight into the pixels cover their device pixels.
class QtCanvas : public Canvas {
  public:
    // What the canvas handed the painter: every coordinate, and those that were not finite
    // or lay beyond the clip bounds (which must never happen).
    struct Handed {
        long long coordinates = 0;
        long long nonFinite = 0;
        long long outsideClip = 0;
    };

    explicit QtCanvas(QImage* image);
    // Draws on any device (a picture, an SVG generator) of the given size in view units;
    // boxes go through the painter there, as only an image's pixels can be written directly.
    QtCanvas(QPaintDevice* device, QSize size);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void setColor(const Color& color) override;
    Color currentColor() const override { return color_; }
    void fillRect(CGRect rect) override;
    void fillColoredRects(const ColoredRect* boxes, std::size_t count) override;
    void fillShading(const std::vector<ColoredRect>& boxes, const BoxLattice& lattice) override;
    void fillEveryPixel(CGSize size, const std::function<void(const PixelImage&)>& shade) override;
    void strokePath(const BezierPath& path) override;
    void fillPath(const BezierPath& path) override;
    CGSize sizeOfText(const std::string& text, const TextAttributes& attributes) override;
    void drawText(const std::string& text, CGPoint point,
                  const TextAttributes& attributes) override;

    // The area this pass may have changed, in view units with y down (widget coordinates).
    QRect dirtyRect() const;
    const Handed& handed() const { return handed_; }

  private:
    QPointF toDevice(CGPoint p) const { return QPointF(p.x, height_ - p.y); }
    void touch(const QRectF& area);
    void count(QPointF p, double margin);
    // A finite point beyond the clip bounds by more than the margin; clipped points sit on
    // the bound, give or take the rounding to double.
    bool beyondClip(double x, double y, double margin) const {
        const double bound = margin + 1e-6;
        return (x < -bound) | (x > width_ + bound) | (y < -bound) | (y > height_ + bound);
    }
    // Counts the points of a piece about to be handed over; returns their bounding box.
    QRectF countPiece(const QPolygonF& piece, double margin);
    QColor makeQColor() const;
    const QColor& qcolor();

    // Everything the painter draws lies within this far of the image.
    static constexpr double kClipMargin = 4.0;

    QImage* image_;
    uchar* bits_;
    qsizetype bytesPerLine_;
    double ratio_;
    int pixelWidth_;
    int pixelHeight_;
    // The image's size in view units.
    double width_;
    double height_;
    // Opaque boxes are written straight into pixels of 32 bits.
    bool directPixels_;
    QPainter painter_;
    Color color_ = Color::blackColor();
    // The current colour for the painter, made only when a painter call needs it.
    QColor qcolor_ = Qt::black;
    bool qcolorStale_ = false;
    QRgb pixel_ = qRgb(0, 0, 0);
    QRectF dirty_;
    Handed handed_;
    // Device pixels written directly, as [x0, x1) by [y0, y1); empty while x0 >= x1.
    struct PixelArea {
        int x0 = std::numeric_limits<int>::max();
        int y0 = std::numeric_limits<int>::max();
        int x1 = std::numeric_limits<int>::min();
        int y1 = std::numeric_limits<int>::min();

        void add(int fromX, int toX, int fromY, int toY) {
            x0 = std::min(x0, fromX);
            x1 = std::max(x1, toX);
            y0 = std::min(y0, fromY);
            y1 = std::max(y1, toY);
        }
    };
    // Kept apart from the painter's dirty area: a rectangle union per box costs more than
    // the box.
    PixelArea written_;
    // The image's pixels, copied into a local by loops over many boxes: the pixel stores
    // could otherwise alias the members and force them to be read again after every box.
    struct Pixels {
        uchar* bits;
        qsizetype bytesPerLine;
        double ratio;
        int width;
        int rows;
    };
    Pixels pixels() const { return {bits_, bytesPerLine_, ratio_, pixelWidth_, pixelHeight_}; }
    // Writes an opaque pixel over the device pixels whose centres lie in the box [x0, x1] by
    // [y0, y1], given in view units with y down, and adds them to `area`.
    static void writeBox(const Pixels& to, double x0, double x1, double y0, double y1, QRgb pixel,
                         PixelArea& area);
};

}  // namespace zw
