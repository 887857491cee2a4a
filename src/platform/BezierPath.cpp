#include "platform/BezierPath.h"

#include "platform/Canvas.h"

namespace zw {

void BezierPath::setLineDash(const std::vector<double>& pattern, double phase) {
    dash_ = pattern;
    dashPhase_ = phase;
}

void BezierPath::transformUsingAffineTransform(const AffineTransform& t) {
    for (Element& e : elements_) {
        e.point = t.transformPoint(e.point);
    }
}

void BezierPath::stroke(Canvas& canvas) const {
    canvas.strokePath(*this);
}

void BezierPath::fill(Canvas& canvas) const {
    canvas.fillPath(*this);
}

void BezierPath::fillRect(Canvas& canvas, CGRect rect) {
    canvas.fillRect(rect);
}

}  // namespace zw
