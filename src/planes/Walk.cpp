#include "planes/Walk.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zw {

namespace {
constexpr double kTickStep = 50.0;
constexpr double kLabelStep = 100.0;
constexpr double kLabelOffset = 8.0;
constexpr double kGridStep = 50.0;
}  // namespace

double Walk::countBelow(double bound) {
    return bound > 0.0 ? std::ceil(bound) : 0.0;
}

double Walk::countUpTo(double bound) {
    return bound >= 0.0 ? std::floor(bound) + 1.0 : 0.0;
}

Walk Walk::stepsWithin(double p0, double delta, double count, double lo, double hi) {
    if (!(count > 0.0) || !std::isfinite(p0) || !std::isfinite(delta) || delta == 0.0 ||
        !(lo <= hi)) {
        return {};
    }
    const double d = std::fabs(delta);
    const double last = p0 + delta * (count - 1.0);
    // Far away, p0 and the walk's length cancel to an end that may be off by many steps; the
    // walk is then taken to reach as far as that error allows, so the view stays covered. Near
    // the view the slack is far below a step and changes nothing.
    const double slack = 4.0 * std::numeric_limits<double>::epsilon() *
                         (std::fabs(p0) + std::fabs(delta * (count - 1.0)));
    const double low = std::max(lo, std::min(p0, last) - slack);
    const double high = std::min(hi, std::max(p0, last) + slack);
    if (!(low <= high)) {
        return {};
    }
    // p0 less a whole number of steps, exactly (fmod is exact): the position j steps from this
    // base is p0 + k * delta rounded once, k being the walk's own index, and the indices that
    // reach the view stay small however far away the origin is.
    const double base = std::fmod(p0, d);
    const double jLow = std::ceil((low - base) / d);
    const double jHigh = std::floor((high - base) / d);
    if (!(jLow <= jHigh)) {
        return {};
    }
    const auto steps = static_cast<long long>(jHigh - jLow) + 1;
    // The walk runs away from the origin: upward from the lowest index, or downward from the
    // highest.
    return delta > 0.0 ? Walk(base, delta, jLow, steps) : Walk(base, delta, -jHigh, steps);
}

Walk Walk::ticks(const Axis& axis, int side) {
    const double s = side;
    const double size = axis.size;
    // A view beyond each edge, and never less than two ticks, so that a tiny pane still gets
    // the tick just past its edge.
    const double reach = std::max(size, 2.0 * kTickStep);
    return stepsWithin(axis.origin() + kTickStep * s, kTickStep * s,
                       countBelow((axis.half() - axis.translation * s) / kTickStep), -reach,
                       size + reach);
}

Walk Walk::labels(const Axis& axis, int side) {
    const double s = side;
    const double size = axis.size;
    // Labels reach about half a view past the edge on the side they walk to, and a label's
    // text stands to the right of its position.
    const double reach = size + kLabelStep;
    return stepsWithin(axis.origin() - kLabelOffset + kLabelStep * s, kLabelStep * s,
                       countBelow((size - axis.translation * s) / kLabelStep), -reach,
                       size + reach);
}

Walk Walk::gridlines(const Axis& axis, int side) {
    const double s = side;
    const double size = axis.size;
    // Lines before the near edge are skipped; lines beyond the far edge are walked only up to
    // one view away.
    return stepsWithin(axis.origin(), kGridStep * s,
                       countBelow((axis.half() - axis.translation * s) / kGridStep), 0.0,
                       2.0 * size);
}

Walk Walk::boxes(const Axis& axis, int side, int s) {
    const double step = s;
    return stepsWithin(axis.origin(), side * step,
                       countUpTo(1.0 + (axis.half() - side * axis.translation) / step), -step,
                       static_cast<double>(axis.size) + step);
}

}  // namespace zw
