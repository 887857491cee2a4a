#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <limits>

#include "platform/Canvas.h"

namespace zw {

// Draws one pass into a plane's backing image. View coordinates have y up and the image has
// y down; every point is flipped here instead of through a painter transform so that text
// stays upright.
class QtCanvas : public Canvas {
  public:
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
    void strokePath(const BezierPath& path) override;
    void fillPath(const BezierPath& path) override;
    CGSize sizeOfText(const std::string& text, const TextAttributes& attributes) override;
    void drawText(const std::string& text, CGPoint point,
                  const TextAttributes& attributes) override;

    // The image pixels this pass may have changed.
    QRect dirtyRect() const;

    // The font of a piece of text: the default is Helvetica 12, sized in pixels so that one
    // point is one view unit.
    static QFont fontFor(const TextAttributes& attributes);

  private:
    QPointF toDevice(CGPoint p) const { return QPointF(p.x, height_ - p.y); }
    void touch(const QRectF& area);

    QImage* image_;
    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
    QPainter painter_;
    Color color_ = Color::blackColor();
    QColor qcolor_ = Qt::black;
    QRectF dirty_;
    // The pixels written directly, as [x0, x1) by [y0, y1); empty while x0 >= x1.
    int pixelsX0_ = std::numeric_limits<int>::max();
    int pixelsY0_ = std::numeric_limits<int>::max();
    int pixelsX1_ = std::numeric_limits<int>::min();
    int pixelsY1_ = std::numeric_limits<int>::min();
};

}  // namespace zw
