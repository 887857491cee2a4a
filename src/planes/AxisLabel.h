#pragma once

#include <string>
#include <utility>

#include "platform/Geometry.h"
#include "platform/TextAttributes.h"

namespace zw {

class Canvas;

// A piece of text whose box has its lower left corner at `point`. The attributes belong to
// the plane that made the label.
class AxisLabel {
  public:
    AxisLabel(std::string text, CGPoint at, const TextAttributes* attrs, double number = 0.0)
        : label(std::move(text)), point(at), attributes(attrs), value(number) {}

    void drawLabel(Canvas& canvas) const;

    std::string label;
    CGPoint point;
    const TextAttributes* attributes;
    // The number the text writes, so that it can be written again with other decimals.
    double value;
};

}  // namespace zw
