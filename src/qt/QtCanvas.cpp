#include "qt/QtCanvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/BezierPath.h"
#include "platform/DevicePixel.h"

namespace zw {

namespace {

using Real = long double;  // wide enough that differences of any two doubles stay finite

constexpr double kDefaultFontSize = 12.0;
const char* const kDefaultFontFamily = "Helvetica";

bool finite(CGPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

struct ClipBox {
    Real xmin, xmax, ymin, ymax;
    // A crossing computed from an end point 1e30 away is off by more than the whole box,
    // so it is put back into the box: the input fixes the line no better than that anyway.
    QPointF pointAt(Real x, Real y) const {
        return QPointF(static_cast<double>(std::clamp(x, xmin, xmax)),
                       static_cast<double>(std::clamp(y, ymin, ymax)));
    }
};

// Liang-Barsky: the part [t0, t1] of a -> b that lies in the box, if any.
bool clipSegment(Real ax, Real ay, Real bx, Real by, const ClipBox& box, Real& t0, Real& t1) {
    const Real dx = bx - ax;
    const Real dy = by - ay;
    const Real p[4] = {-dx, dx, -dy, dy};
    const Real q[4] = {ax - box.xmin, box.xmax - ax, ay - box.ymin, box.ymax - ay};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const Real r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) {
                return false;
            }
            t0 = std::max(t0, r);
        } else {
            if (r < t0) {
                return false;
            }
            t1 = std::min(t1, r);
        }
    }
    return t0 <= t1;
}

struct RealPoint {
    Real x, y;
};

// Sutherland-Hodgman against one edge of the box; `side` picks the edge.
std::vector<RealPoint> clipPolygonEdge(const std::vector<RealPoint>& in, int side, Real bound) {
    auto inside = [&](const RealPoint& p) {
        switch (side) {
            case 0:
                return p.x >= bound;
            case 1:
                return p.x <= bound;
            case 2:
                return p.y >= bound;
            default:
                return p.y <= bound;
        }
    };
    auto cross = [&](const RealPoint& a, const RealPoint& b) {
        if (side < 2) {
            const Real t = (bound - a.x) / (b.x - a.x);
            return RealPoint{bound, a.y + t * (b.y - a.y)};
        }
        const Real t = (bound - a.y) / (b.y - a.y);
        return RealPoint{a.x + t * (b.x - a.x), bound};
    };
    std::vector<RealPoint> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const RealPoint& cur = in[i];
        const RealPoint& prev = in[(i + in.size() - 1) % in.size()];
        if (inside(cur)) {
            if (!inside(prev)) {
                out.push_back(cross(prev, cur));
            }
            out.push_back(cur);
        } else if (inside(prev)) {
            out.push_back(cross(prev, cur));
        }
    }
    return out;
}

// Writes an opaque pixel over the device pixels [x0, x1) by [y0, y1) of an image. The finest
// shading boxes are two or four device pixels wide: a general fill would spend more on
// choosing its loop than on the stores.
inline void fillPixels(uchar* bits, qsizetype bytesPerLine, int x0, int x1, int y0, int y1,
                       QRgb pixel) {
    const int n = x1 - x0;
    uchar* line = bits + static_cast<qsizetype>(y0) * bytesPerLine;
    if (n == 2 && y1 - y0 == 2) {
        QRgb* p = reinterpret_cast<QRgb*>(line) + x0;
        QRgb* q = reinterpret_cast<QRgb*>(line + bytesPerLine) + x0;
        p[0] = pixel;
        p[1] = pixel;
        q[0] = pixel;
        q[1] = pixel;
        return;
    }
    for (int y = y0; y < y1; ++y, line += bytesPerLine) {
        QRgb* p = reinterpret_cast<QRgb*>(line) + x0;
        if (n == 4) {
            p[0] = pixel;
            p[1] = pixel;
            p[2] = pixel;
            p[3] = pixel;
        } else {
            std::fill_n(p, n, pixel);
        }
    }
}

// Whole pixel edge nearest to v, kept within a pixel of [0, limit] so the cast cannot overflow.
int pixelEdge(double v, int limit) {
    const double clamped = std::clamp(v, -1.0, static_cast<double>(limit) + 1.0);
    // floor(clamped + 0.5), by truncation of a positive number: a call to floor per edge
    // costs more than the rest of a small box.
    return static_cast<int>(clamped + 1.5) - 1;
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct FontEntry {
    QFont font;
    QFontMetricsF metrics;
};

// Every pass draws the same few fonts (labels and readout); building metrics each time would
// cost more than the text itself.
const FontEntry& fontEntry(const TextAttributes& attributes) {
    // Never destroyed: fonts must not outlive the application object at exit.
    static auto* cache = new std::map<std::pair<std::string, double>, FontEntry>();
    const auto key = std::make_pair(attributes.fontFamily, attributes.pointSize);
    auto it = cache->find(key);
    if (it == cache->end()) {
        const QFont font = QtCanvas::fontFor(attributes);
        it = cache->emplace(key, FontEntry{font, QFontMetricsF(font)}).first;
    }
    return it->second;
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
    // would dominate the pass, so opaque boxes are written straight into the pixels. A box
    // covers the device pixels whose centres it holds, so boxes on whole view units cover
    // whole blocks of device pixels and neighbours tile without gaps.
    const int ix0 = std::max(0, pixelEdge(x0 * ratio_, pixelWidth_));
    const int ix1 = std::min(pixelWidth_, pixelEdge(x1 * ratio_, pixelWidth_));
    const int iy0 = std::max(0, pixelEdge(y0 * ratio_, pixelHeight_));
    const int iy1 = std::min(pixelHeight_, pixelEdge(y1 * ratio_, pixelHeight_));
    if (ix0 >= ix1 || iy0 >= iy1) {
        return;
    }
    fillPixels(bits_, bytesPerLine_, ix0, ix1, iy0, iy1, pixel_ | 0xff000000u);
    written_.add(ix0, ix1, iy0, iy1);
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
    const double ratio = ratio_;
    const double height = height_;
    const int width = pixelWidth_;
    const int rows = pixelHeight_;
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
        const int ix0 = std::max(0, pixelEdge(x0 * ratio, width));
        const int ix1 = std::min(width, pixelEdge(x1 * ratio, width));
        const int iy0 = std::max(0, pixelEdge(y0 * ratio, rows));
        const int iy1 = std::min(rows, pixelEdge(y1 * ratio, rows));
        if (ix0 >= ix1 || iy0 >= iy1) {
            continue;
        }
        fillPixels(bits_, bytesPerLine_, ix0, ix1, iy0, iy1, pixel_ | 0xff000000u);
        area.add(ix0, ix1, iy0, iy1);
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
    struct Span {
        int from = 0;
        int to = 0;
    };
    const auto span = [ratio = ratio_](double v0, double v1, int limit) {
        if (!std::isfinite(v0) || !std::isfinite(v1)) {
            return Span{};
        }
        return Span{std::max(0, pixelEdge(v0 * ratio, limit)),
                    std::min(limit, pixelEdge(v1 * ratio, limit))};
    };
    PixelArea area = written_;
    // Only a painter can blend.
    const auto longWay = [this, &boxes](std::size_t k) {
        QtCanvas::setColor(boxes[k].color);
        QtCanvas::fillRect(boxes[k].rect);
    };
    std::vector<Span> columns;
    const std::uint32_t* pixels = lattice.pixels().data();
    std::size_t first = 0;
    for (const BoxLattice::Block& block : lattice.blocks()) {
        columns.clear();
        int columnsX0 = pixelWidth_;
        int columnsX1 = 0;
        for (const double x : block.xs) {
            const Span c = span(x, x + s, pixelWidth_);
            columns.push_back(c);
            if (c.from < c.to) {
                columnsX0 = std::min(columnsX0, c.from);
                columnsX1 = std::max(columnsX1, c.to);
            }
        }
        const std::size_t width = block.xs.size();
        for (const double y : block.ys) {
            const std::size_t row = first;
            first += width;
            const Span r = span(height_ - (y + s), height_ - y, pixelHeight_);
            // A row without a whole pixel still goes through its translucent boxes, which may
            // tint some.
            const bool rowHasPixels = r.from < r.to && columnsX0 < columnsX1;
            for (std::size_t c = 0; c < width; ++c) {
                const QRgb pixel = pixels[row + c];
                if (qAlpha(pixel) < 255) {
                    longWay(row + c);
                } else if (rowHasPixels && columns[c].from < columns[c].to) {
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

    std::vector<double> dash = path.lineDash();
    Real dashLength = 0;
    for (double d : dash) {
        if (!std::isfinite(d) || d < 0.0) {
            dash.clear();
            break;
        }
        dashLength += d;
    }
    if (dash.size() % 2 == 1) {
        // Qt wants on/off pairs: an odd pattern is read twice over, as the dash itself is.
        dash.insert(dash.end(), dash.begin(), dash.end());
        dashLength *= 2;
    }
    const bool dashed = !dash.empty() && dashLength > 0;
    if (dashed) {
        QList<qreal> pattern;
        for (double d : dash) {
            pattern.append(std::max(d, 1e-3) / unit);
        }
        pen.setDashPattern(pattern);
    }
    const Real phase = std::isfinite(path.lineDashPhase()) ? path.lineDashPhase() : 0.0;

    // Qt rasterises very long antialiased segments slowly and NaN into garbage, so only the
    // finite parts within a margin of the image reach the painter.
    // Wide enough that no miter spike of a cut-off corner could have reached the image.
    const Real margin = kClipMargin + 6.0 * width;
    const ClipBox box{-margin, width_ + margin, -margin, height_ + margin};

    const double limit = static_cast<double>(margin);
    auto inBox = [&](double x, double y) {
        return x >= -limit && x <= width_ + limit && y >= -limit && y <= height_ + limit;
    };

    QPolygonF piece;
    Real pieceOffset = 0;
    auto flush = [&]() {
        if (piece.size() >= 2) {
            if (dashed) {
                pen.setDashOffset(static_cast<double>(std::fmod(pieceOffset, dashLength) / unit));
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
            const QPointF start = box.pointAt(ax + t0 * (bx - ax), ay + t0 * (by - ay));
            const QPointF end = box.pointAt(ax + t1 * (bx - ax), ay + t1 * (by - ay));
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
    const ClipBox box{-margin, width_ + margin, -margin, height_ + margin};
    QPainterPath shape;
    std::vector<RealPoint> polygon;
    auto close = [&]() {
        for (int side = 0; side < 4 && !polygon.empty(); ++side) {
            const Real bounds[4] = {box.xmin, box.xmax, box.ymin, box.ymax};
            polygon = clipPolygonEdge(polygon, side, bounds[side]);
        }
        if (polygon.size() >= 3) {
            QPolygonF q;
            for (const RealPoint& p : polygon) {
                q.append(box.pointAt(p.x, p.y));
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

QFont QtCanvas::fontFor(const TextAttributes& attributes) {
    QFont font(attributes.isDefault() ? QString::fromLatin1(kDefaultFontFamily)
                                      : toQString(attributes.fontFamily));
    const double size = attributes.isDefault() || !(attributes.pointSize > 0.0)
                            ? kDefaultFontSize
                            : std::min(attributes.pointSize, 1000.0);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

CGSize QtCanvas::sizeOfText(const std::string& text, const TextAttributes& attributes) {
    const QFontMetricsF& metrics = fontEntry(attributes).metrics;
    return CGSize{metrics.horizontalAdvance(toQString(text)), metrics.lineSpacing()};
}

void QtCanvas::drawText(const std::string& text, CGPoint point, const TextAttributes& attributes) {
    if (!finite(point)) {
        return;
    }
    const FontEntry& entry = fontEntry(attributes);
    const QPointF lowerLeft = toDevice(point);
    const QRectF area(lowerLeft.x(), lowerLeft.y() - entry.metrics.lineSpacing(),
                      entry.metrics.horizontalAdvance(toQString(text)),
                      entry.metrics.lineSpacing());
    if (!area.intersects(QRectF(0, 0, width_, height_))) {
        return;
    }
    const double baseline = area.top() + entry.metrics.ascent();
    count(QPointF(area.left(), baseline), kClipMargin + area.width() + area.height());
    painter_.setFont(entry.font);
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(area.left(), baseline), toQString(text));
    touch(area.adjusted(-2, -2, 2, 2));
}

}  // namespace zw
