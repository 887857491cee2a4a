#pragma once

#include "platform/Geometry.h"

namespace zw {

// A 2-D affine map x' = m11 x + m21 y + tX, y' = m12 x + m22 y + tY.
class AffineTransform {
  public:
    // Both prepend: the new step acts on a point before what the transform already does.
    void translateXBy(double dx, double dy);
    void scaleBy(double s);
    // Afterwards a point goes through this transform first, then through `other`.
    void appendTransform(const AffineTransform& other);
    CGPoint transformPoint(CGPoint p) const;

    double m11 = 1.0, m12 = 0.0, m21 = 0.0, m22 = 1.0, tX = 0.0, tY = 0.0;
};

}  // namespace zw
