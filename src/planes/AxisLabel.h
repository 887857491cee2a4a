#pragma once

#include <string>
#include <utility>

#include "platform/Geometry.h"
#include "platform/TextAttributes.h"

namespace zw {

class Canvas;

// A piece of text whose box has one corner at `point`: the lower left one, unless the label
// stands against the view's top or right edge, where the text must end at the edge whatever
// its size.
class AxisLabel {
  public:
    enum class Anchor { LowerLeft, UpperLeft, LowerRight };

    AxisLabel(std::string text, CGPoint at, const TextAttributes* attrs, double number = 0.0,
              Anchor corner = Anchor::LowerLeft)
        : label(std::move(text)), point(at), attributes(attrs), value(number), anchor(corner) {}

    void drawLabel(Canvas& canvas) const;

    std::string label;
    CGPoint point;
    const TextAttributes* attributes;
    // The number the text writes, so that it can be written again with other decimals.
    double value;
    Anchor anchor;
};

// Where the marks of one axis stand across it, in view units: the tick marks' centre line and
// the labels' line. The axis lies at `axis`; the labels' own place is `offset` from it (below
// the real axis, left of the imaginary one), where their text starts.
//
// With coordinates kept at the edges, a plane panned away from an axis still shows its
// numbers: an axis out of view has its ticks on the nearer edge and its labels just inside it,
// and labels that would fall out of view on the low side of an axis still in view go to its
// other side.
struct AxisMarks {
    double ticksAt = 0.0;
    double labelsAt = 0.0;
    // The labels end at `labelsAt` (against the top or right edge) rather than start there.
    bool labelsEndThere = false;

    // Between a label and the edge it stands against, or the axis it stands beside.
    static constexpr double kEdgeGap = 7.0;
    static constexpr double kAxisGap = 8.0;

    // The marks on the axis, as a plane draws them by default.
    static AxisMarks onAxis(double axis, double offset) { return {axis, axis + offset, false}; }
    // The marks kept in a view `extent` units across.
    static AxisMarks keptInView(double axis, double offset, double extent);

    // Whether a label of the other axis, standing on an edge with its text from `along` to
    // `along + lineHeight` across these labels, would cover one of these in the corner.
    bool labelsMeet(double along, double lineHeight) const {
        const double low = labelsEndThere ? labelsAt - lineHeight : labelsAt;
        return along < low + lineHeight && along + lineHeight > low;
    }
};

}  // namespace zw
