#include "planes/AxisLabel.h"

#include "platform/Canvas.h"

namespace zw {

void AxisLabel::drawLabel(Canvas& canvas) const {
    static const TextAttributes kDefault;
    const TextAttributes& attrs = attributes != nullptr ? *attributes : kDefault;
    CGPoint at = point;
    if (anchor != Anchor::LowerLeft) {
        const CGSize size = canvas.sizeOfText(label, attrs);
        if (anchor == Anchor::UpperLeft) {
            at.y -= size.height;
        } else {
            at.x -= size.width;
        }
    }
    canvas.drawText(label, at, attrs);
}

AxisMarks AxisMarks::keptInView(double axis, double offset, double extent) {
    if (axis > extent) {
        return {extent, extent - kEdgeGap, true};
    }
    if (axis < 0.0) {
        return {0.0, kEdgeGap, false};
    }
    const AxisMarks own = onAxis(axis, offset);
    if (own.labelsAt >= 0.0) {
        return own;
    }
    // No room below (or left of) the axis: beside it on the other side, past its ticks.
    return {axis, axis + kAxisGap, false};
}

}  // namespace zw
