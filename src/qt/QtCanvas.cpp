#include "qt/QtCanvas.h"

#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/BezierPath.h"
#include "platform/Clip.h"
#include "platform/DevicePixel.h"
#include "qt/CanvasFonts.h"

namespace zw {

namespace {

using Real = ClipReal;

bool finite(CGPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

QPointF toQPointF(ClipPoint<Real> p) {
    return QPointF(static_cast<double>(p.x), static_cast<double>(p.y));
}

}  // namespace

QtCanvas::QtCanvas(QImage* image)
    : image_(image),
      // Taken before the painter starts, so that the painter never sees a detach.
      bits_(image->bits()),
      bytesPerLine_(image->bytesPerLine()),
      ratio_(image->devicePixelRatio() > 0.0 ? image->devicePixelRatio() : 1.0),
      pixelWidth_(image->width()),
      pixelHeight_(image->height()),
      width_(image->width() / ratio_),
      height_(image->height() / ratio_),
      directPixels_(image->depth() == 32) {
    painter_.begin(image_);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtCanvas::QtCanvas(QPaintDevice* device, QSize size)
    : image_(nullptr),
      bits_(nullptr),
      bytesPerLine_(0),
      ratio_(1.0),
      pixelWidth_(size.width()),
      pixelHeight_(size.height()),
      width_(size.width()),
      height_(size.height()),
      directPixels_(false) {
    painter_.begin(device);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtCanvas::~QtCanvas() {
    painter_.end();
}

void QtCanvas::setColor(const Color& color) {
    // Neighbouring shading boxes often share a colour.
    if (color == color_) {
        return;
    }
    color_ = color;
    pixel_ = devicePixel(color);
    qcolorStale_ = true;
}

QColor QtCanvas::makeQColor() const {
    return QColor::fromRgbF(static_cast<float>(color_.red()), static_cast<float>(color_.green()),
                            static_cast<float>(color_.blue()), static_cast<float>(color_.alpha()));
}

const QColor& QtCanvas::qcolor() {
    if (qcolorStale_) {
        qcolor_ = makeQColor();
        qcolorStale_ = false;
    }
    return qcolor_;
}

void QtCanvas::touch(const QRectF& area) {
    dirty_ = dirty_.united(area);
}

void QtCanvas::count(QPointF p, double margin) {
    ++handed_.coordinates;
    if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
        ++handed_.nonFinite;
        return;
    }
    if (beyondClip(p.x(), p.y(), margin)) {
        ++handed_.outsideClip;
    }
}

QRectF QtCanvas::countPiece(const QPolygonF& piece, double margin) {
    // count() for every point, and the piece's bounding box, in one pass without a call or a
    // branch a point: a crowded pane hands the painter millions of points.
    long long nonFinite = 0;
    long long outside = 0;
    double x0 = std::numeric_limits<double>::infinity();
    double y0 = x0;
    double x1 = -x0;
    double y1 = -x0;
    for (const QPointF& p : piece) {
        const double x = p.x();
        const double y = p.y();
        const bool isFinite = std::isfinite(x) & std::isfinite(y);
        nonFinite += isFinite ? 0 : 1;
        outside += isFinite & beyondClip(x, y, margin) ? 1 : 0;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    handed_.coordinates += piece.size();
    handed_.nonFinite += nonFinite;
    handed_.outsideClip += outside;
    return piece.isEmpty() ? QRectF() : QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

QRect QtCanvas::dirtyRect() const {
    QRectF area = dirty_;
    if (written_.x0 < written_.x1) {
        area = area.united(QRectF(QPointF(written_.x0 / ratio_, written_.y0 / ratio_),
                                  QPointF(written_.x1 / ratio_, written_.y1 / ratio_)));
    }
    const QRect bounds(0, 0, static_cast<int>(std::ceil(width_)),
                       static_cast<int>(std::ceil(height_)));
    return area.toAlignedRect().intersected(bounds);
}

inline void QtCanvas::writeBox(const Pixels& to, double x0, double x1, double y0, double y1,
                               QRgb pixel, PixelArea& area) {
    const PixelSpan xs = pixelSpan(x0, x1, to.ratio, to.width);
    const PixelSpan ys = pixelSpan(y0, y1, to.ratio, to.rows);
    if (xs.empty() || ys.empty()) {
        return;
    }
    fillPixels(to.bits, to.bytesPerLine, xs.from, xs.to, ys.from, ys.to, pixel);
    area.add(xs.from, xs.to, ys.from, ys.to);
}

void QtCanvas::fillRect(CGRect rect) {
    double x0 = rect.origin.x;
    double x1 = rect.origin.x + rect.size.width;
    double y0 = height_ - (rect.origin.y + rect.size.height);
    double y1 = height_ - rect.origin.y;
    if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1)) {
        return;
    }
    if (x1 < x0) {
        std::swap(x0, x1);
    }
    if (y1 < y0) {
        std::swap(y0, y1);
    }
    if (qAlpha(pixel_) < 255 || !directPixels_) {
        x0 = std::clamp(x0, -kClipMargin, width_ + kClipMargin);
        x1 = std::clamp(x1, -kClipMargin, width_ + kClipMargin);
        y0 = std::clamp(y0, -kClipMargin, height_ + kClipMargin);
        y1 = std::clamp(y1, -kClipMargin, height_ + kClipMargin);
        count(QPointF(x0, y0), kClipMargin);
        count(QPointF(x1, y1), kClipMargin);
        painter_.fillRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)), qcolor());
        touch(QRectF(QPointF(x0, y0), QPointF(x1, y1)).adjusted(-1, -1, 1, 1));
        return;
    }
    // The shading fills hundreds of thousands of small boxes per pass; one painter call each
    // would dominate the pass, so opaque boxes are written straight into the pixels.
    writeBox(pixels(), x0, x1, y0, y1, pixel_ | 0xff000000u, written_);
}

void QtCanvas::fillColoredRects(const ColoredRect* boxes, std::size_t count) {
    if (!directPixels_) {
        Canvas::fillColoredRects(boxes, count);
        return;
    }
    // A pane of shading at the finest size is a box every few device pixels: what fillRect
    // spends on each call (the virtual calls, the dirty bounds in members) would cost more
    // than the pixels. The arithmetic is fillRect's, step for step, so the pixels agree.
    PixelArea area = written_;
    const Pixels target = pixels();
    const double height = height_;
    for (std::size_t i = 0; i < count; ++i) {
        const ColoredRect& box = boxes[i];
        QtCanvas::setColor(box.color);
        const double x0 = box.rect.origin.x;
        const double x1 = box.rect.origin.x + box.rect.size.width;
        const double y0 = height - (box.rect.origin.y + box.rect.size.height);
        const double y1 = height - box.rect.origin.y;
        // The shading's boxes are opaque, finite and upright; anything else takes the long way.
        if (qAlpha(pixel_) < 255 || !(x0 <= x1 && y0 <= y1) || !std::isfinite(x0 + x1 + y0 + y1)) {
            QtCanvas::fillRect(box.rect);
            continue;
        }
        writeBox(target, x0, x1, y0, y1, pixel_ | 0xff000000u, area);
    }
    // Merged, not copied: a box that took the long way may have written pixels meanwhile.
    written_.add(area.x0, area.x1, area.y0, area.y1);
}

void QtCanvas::fillShading(const std::vector<ColoredRect>& boxes, const BoxLattice& lattice) {
    const double s = lattice.boxSize();
    if (!directPixels_ || lattice.pixels().size() != boxes.size() || !lattice.complete() ||
        !(s > 0.0) || !std::isfinite(s)) {
        fillColoredRects(boxes.data(), boxes.size());
        return;
    }
    // Each row's and each column's device pixel edges are found once, by fillRect's arithmetic,
    // so every box covers the very pixels it would cover on its own.
    const auto span = [ratio = ratio_](double v0, double v1, int limit) {
        if (!std::isfinite(v0) || !std::isfinite(v1)) {
            return PixelSpan{};
        }
        return pixelSpan(v0, v1, ratio, limit);
    };
    PixelArea area = written_;
    // Only a painter can blend.
    const auto longWay = [this, &boxes](std::size_t k) {
        QtCanvas::setColor(boxes[k].color);
        QtCanvas::fillRect(boxes[k].rect);
    };
    std::vector<PixelSpan> columns;
    const std::uint32_t* pixels = lattice.pixels().data();
    std::size_t first = 0;
    for (const BoxLattice::Block& block : lattice.blocks()) {
        columns.clear();
        int columnsX0 = pixelWidth_;
        int columnsX1 = 0;
        for (const double x : block.xs) {
            const PixelSpan c = span(x, x + s, pixelWidth_);
            columns.push_back(c);
            if (!c.empty()) {
                columnsX0 = std::min(columnsX0, c.from);
                columnsX1 = std::max(columnsX1, c.to);
            }
        }
        const std::size_t width = block.xs.size();
        for (const double y : block.ys) {
            const std::size_t row = first;
            first += width;
            const PixelSpan r = span(height_ - (y + s), height_ - y, pixelHeight_);
            // A row without a whole pixel still goes through its translucent boxes, which may
            // tint some.
            const bool rowHasPixels = !r.empty() && columnsX0 < columnsX1;
            for (std::size_t c = 0; c < width; ++c) {
                const QRgb pixel = pixels[row + c];
                // Out of line: where the rare translucent box's call sits moves the loop
                // across cache lines, which costs the opaque boxes a fifth of their time.
                if (qAlpha(pixel) < 255) [[unlikely]] {
                    longWay(row + c);
                } else if (rowHasPixels && !columns[c].empty()) {
                    fillPixels(bits_, bytesPerLine_, columns[c].from, columns[c].to, r.from, r.to,
                               pixel);
                }
            }
            if (rowHasPixels) {
                area.add(columnsX0, columnsX1, r.from, r.to);
            }
        }
    }
    // Merged, not copied: a box that took the long way may have written pixels meanwhile.
    written_.add(area.x0, area.x1, area.y0, area.y1);
    if (!boxes.empty()) {
        QtCanvas::setColor(boxes.back().color);
    }
}

void QtCanvas::fillEveryPixel(CGSize /*size*/,
                              const std::function<void(const PixelImage&)>& shade) {
    if (directPixels_) {
        // The image's own pixels: no second picture of the pane's size is ever made.
        PixelImage pixels;
        pixels.bits = reinterpret_cast<std::uint32_t*>(bits_);
        pixels.pixelsPerLine = static_cast<std::ptrdiff_t>(bytesPerLine_ / 4);
        pixels.width = pixelWidth_;
        pixels.height = pixelHeight_;
        pixels.ratio = ratio_;
        pixels.viewHeight = height_;
        shade(pixels);
        written_.add(0, pixelWidth_, 0, pixelHeight_);
        return;
    }
    // Another device (an SVG picture) gets the shading as one image of a pixel a view unit.
    const int w = static_cast<int>(std::ceil(width_));
    const int h = static_cast<int>(std::ceil(height_));
    if (w <= 0 || h <= 0) {
        return;
    }
    QImage picture(w, h, QImage::Format_RGB32);
    PixelImage pixels;
    pixels.bits = reinterpret_cast<std::uint32_t*>(picture.bits());
    pixels.pixelsPerLine = static_cast<std::ptrdiff_t>(picture.bytesPerLine() / 4);
    pixels.width = w;
    pixels.height = h;
    pixels.ratio = 1.0;
    pixels.viewHeight = height_;
    shade(pixels);
    painter_.drawImage(QRectF(0.0, 0.0, w, h), picture);
    touch(QRectF(0.0, 0.0, w, h));
}

void QtCanvas::strokePath(const BezierPath& path) {
    const auto& elements = path.elements();
    if (elements.empty()) {
        return;
    }
    const double width = path.lineWidth() > 0.0 ? path.lineWidth() : 0.0;
    // Qt measures dashes in pen widths; a hairline counts as width 1.
    const double unit = width > 0.0 ? width : 1.0;

    QPen pen(qcolor());
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setMiterLimit(10.0);

    const DashPattern dash = dashPattern(path.lineDash(), unit);
    const bool dashed = dash.dashed();
    if (dashed) {
        pen.setDashPattern(QList<qreal>(dash.dashes.begin(), dash.dashes.end()));
    }
    const Real phase = std::isfinite(path.lineDashPhase()) ? path.lineDashPhase() : 0.0;

    // Qt rasterises very long antialiased segments slowly and NaN into garbage, so only the
    // finite parts within a margin of the image reach the painter.
    // Wide enough that no miter spike of a cut-off corner could have reached the image.
    const Real margin = kClipMargin + 6.0 * width;
    const ClipBox<Real> box{-margin, width_ + margin, -margin, height_ + margin};

    const double limit = static_cast<double>(margin);
    auto inBox = [&](double x, double y) {
        return x >= -limit && x <= width_ + limit && y >= -limit && y <= height_ + limit;
    };

    QPolygonF piece;
    Real pieceOffset = 0;
    auto flush = [&]() {
        if (piece.size() >= 2) {
            if (dashed) {
                pen.setDashOffset(dash.offset(pieceOffset));
            }
            const QRectF bounds = countPiece(piece, static_cast<double>(margin));
            painter_.setPen(pen);
            painter_.drawPolyline(piece);
            touch(bounds.adjusted(-width - 2, -width - 2, width + 2, width + 2));
        }
        piece.clear();
    };

    CGPoint previous = elements.front().point;
    Real travelled = 0;  // along the subpath, so that dashes run on across clipped pieces
    bool continues = false;
    for (const auto& element : elements) {
        const CGPoint p = element.point;
        if (element.type == BezierPath::ElementType::MoveTo) {
            flush();
            continues = false;
            travelled = 0;
            previous = p;
            continue;
        }
        // The common case: the piece goes on from a point already checked to one inside.
        if (continues && !dashed && std::isfinite(p.x) && std::isfinite(p.y)) {
            const double gx = p.x;
            const double gy = height_ - p.y;
            if (inBox(gx, gy)) {
                piece.append(QPointF(gx, gy));
                previous = p;
                continue;
            }
        }
        if (!finite(previous) || !finite(p)) {
            flush();
            continues = false;
            previous = p;
            continue;
        }
        // Most segments lie wholly within the box and need no clipping.
        const double fx = previous.x;
        const double fy = height_ - previous.y;
        const double gx = p.x;
        const double gy = height_ - p.y;
        if (inBox(fx, fy) && inBox(gx, gy)) {
            const Real length = dashed ? std::hypot(static_cast<Real>(gx - fx), gy - fy) : 0;
            if (!continues) {
                flush();
                pieceOffset = phase + travelled;
                piece.append(QPointF(fx, fy));
            }
            piece.append(QPointF(gx, gy));
            continues = true;
            travelled += length;
            previous = p;
            continue;
        }
        const Real ax = previous.x;
        const Real ay = height_ - static_cast<Real>(previous.y);
        const Real bx = p.x;
        const Real by = height_ - static_cast<Real>(p.y);
        // Only dashes need the distance along the path, and hypot on long doubles is slow.
        const Real length = dashed ? std::hypot(bx - ax, by - ay) : 0;
        Real t0 = 0;
        Real t1 = 1;
        if (clipSegment(ax, ay, bx, by, box, t0, t1)) {
            const QPointF start = toQPointF(box.clamp(ax + t0 * (bx - ax), ay + t0 * (by - ay)));
            const QPointF end = toQPointF(box.clamp(ax + t1 * (bx - ax), ay + t1 * (by - ay)));
            if (!(continues && t0 == 0)) {
                flush();
                pieceOffset = phase + travelled + t0 * length;
                piece.append(start);
            }
            piece.append(end);
            continues = t1 == 1;
        } else {
            flush();
            continues = false;
        }
        travelled += length;
        previous = p;
    }
    flush();
}

void QtCanvas::fillPath(const BezierPath& path) {
    const Real margin = kClipMargin;
    const ClipBox<Real> box{-margin, width_ + margin, -margin, height_ + margin};
    QPainterPath shape;
    std::vector<ClipPoint<Real>> polygon;
    auto close = [&]() {
        polygon = clipPolygon(std::move(polygon), box);
        if (polygon.size() >= 3) {
            QPolygonF q;
            for (const ClipPoint<Real>& p : polygon) {
                q.append(toQPointF(p));
                count(q.back(), kClipMargin);
            }
            shape.addPolygon(q);
            shape.closeSubpath();
        }
        polygon.clear();
    };
    for (const auto& element : path.elements()) {
        if (element.type == BezierPath::ElementType::MoveTo) {
            close();
        }
        if (finite(element.point)) {
            polygon.push_back({element.point.x, height_ - static_cast<Real>(element.point.y)});
        }
    }
    close();
    if (shape.isEmpty()) {
        return;
    }
    painter_.fillPath(shape, qcolor());
    touch(shape.boundingRect().adjusted(-1, -1, 1, 1));
}

CGSize QtCanvas::sizeOfText(const std::string& text, const TextAttributes& attributes) {
    const QFontMetricsF& metrics = cachedCanvasFont(attributes).metrics;
    return CGSize{metrics.horizontalAdvance(canvasText(text)), metrics.lineSpacing()};
}

void QtCanvas::drawText(const std::string& text, CGPoint point, const TextAttributes& attributes) {
    if (!finite(point)) {
        return;
    }
    const CanvasFontEntry& entry = cachedCanvasFont(attributes);
    const QPointF lowerLeft = toDevice(point);
    const QRectF area(lowerLeft.x(), lowerLeft.y() - entry.metrics.lineSpacing(),
                      entry.metrics.horizontalAdvance(canvasText(text)),
                      entry.metrics.lineSpacing());
    if (!area.intersects(QRectF(0, 0, width_, height_))) {
        return;
    }
    const double baseline = area.top() + entry.metrics.ascent();
    count(QPointF(area.left(), baseline), kClipMargin + area.width() + area.height());
    painter_.setFont(entry.font);
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(area.left(), baseline), canvasText(text));
    touch(area.adjusted(-2, -2, 2, 2));
}

}  // namespace zw
