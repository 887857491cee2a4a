#include "planes/Path.h"

#include "platform/Canvas.h"

namespace zw {

void Path::stroke(Canvas& canvas) const {
    canvas.setColor(color);
    BezierPath::stroke(canvas);
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
