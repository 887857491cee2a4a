#include "platform/AffineTransform.h"

namespace zw {

void AffineTransform::translateXBy(double dx, double dy) {
    tX += m11 * dx + m21 * dy;
    tY += m12 * dx + m22 * dy;
}

void AffineTransform::scaleBy(double s) {
    m11 *= s;
    m12 *= s;
    m21 *= s;
    m22 *= s;
}

void AffineTransform::appendTransform(const AffineTransform& o) {
    AffineTransform r;
    r.m11 = m11 * o.m11 + m12 * o.m21;
    r.m12 = m11 * o.m12 + m12 * o.m22;
    r.m21 = m21 * o.m11 + m22 * o.m21;
    r.m22 = m21 * o.m12 + m22 * o.m22;
    r.tX = tX * o.m11 + tY * o.m21 + o.tX;
    r.tY = tX * o.m12 + tY * o.m22 + o.tY;
    *this = r;
}

CGPoint AffineTransform::transformPoint(CGPoint p) const {
    // Skipping the zero cross terms keeps an infinite coordinate (the image of a pole) from
    // turning the other coordinate into NaN under a pure translation or scaling.
    const double x = m11 * p.x + (m21 != 0.0 ? m21 * p.y : 0.0) + tX;
    const double y = (m12 != 0.0 ? m12 * p.x : 0.0) + m22 * p.y + tY;
    return {x, y};
}

}  // namespace zw
