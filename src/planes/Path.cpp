#include "planes/Path.h"

#include "platform/Canvas.h"

namespace zw {

void Path::stroke(Canvas& canvas) const {
    canvas.setColor(color);
    BezierPath::stroke(canvas);
    strokedElements_ = elementCount();
}

void Path::strokeNewElements(Canvas& canvas) const {
    const std::size_t n = elementCount();
    const std::size_t from = strokedElements_ > 0 ? strokedElements_ - 1 : 0;
    strokedElements_ = n;
    if (n < from + 2) {
        return;
    }
    canvas.setColor(color);
    BezierPath pieces;
    pieces.setLineWidth(lineWidth());
    pieces.moveToPoint(elementAtIndex(from).point);
    for (std::size_t i = from + 1; i < n; ++i) {
        const Element& e = elementAtIndex(i);
        if (e.type == ElementType::MoveTo) {
            pieces.moveToPoint(e.point);
        } else {
            pieces.lineToPoint(e.point);
        }
    }
    pieces.stroke(canvas);
}

void Path::ourFill(Canvas& canvas) const {
    canvas.setColor(color);
    fill(canvas);
}

void Path::strokeLastElement(Canvas& canvas) const {
    canvas.setColor(color);
    const std::size_t n = elementCount();
    const float width = static_cast<float>(lineWidth());
    if (n < 2) {
        return;
    }
    BezierPath segment;
    segment.setLineWidth(width);
    segment.moveToPoint(elementAtIndex(n - 2).point);
    segment.lineToPoint(elementAtIndex(n - 1).point);
    segment.stroke(canvas);
}

void Path::makeDashed() {
    setLineDash({3.0, 3.0, 3.0}, 0.0);
}

}  // namespace zw
