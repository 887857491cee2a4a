#pragma once

#include <algorithm>
#include <vector>

namespace zw {

// Wide enough that differences of any two doubles stay finite: what is drawn is clipped in
// it, so that a point 1e308 away still fixes its line's direction.
using ClipReal = long double;

template <typename T>
struct ClipPoint {
    T x, y;
};

// The box [xmin, xmax] by [ymin, ymax] that drawing is clipped to.
template <typename T>
struct ClipBox {
    T xmin, xmax, ymin, ymax;

    // A crossing computed from an end point 1e30 away is off by more than the whole box, so
    // it is put back into the box: the input fixes the line no better than that anyway.
    ClipPoint<T> clamp(T x, T y) const {
        return {std::clamp(x, xmin, xmax), std::clamp(y, ymin, ymax)};
    }
};

// Liang-Barsky: the part [t0, t1] of a -> b that lies in the box, if any. A template so that
// each caller clips in its own precision with the very same steps.
template <typename T>
bool clipSegment(T ax, T ay, T bx, T by, const ClipBox<T>& box, T& t0, T& t1) {
    const T dx = bx - ax;
    const T dy = by - ay;
    const T p[4] = {-dx, dx, -dy, dy};
    const T q[4] = {ax - box.xmin, box.xmax - ax, ay - box.ymin, box.ymax - ay};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const T r = q[i] / p[i];
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

// Sutherland-Hodgman: the part of a closed polygon within the box, its corners clamped into
// the box. Fewer than three corners means nothing is left.
std::vector<ClipPoint<ClipReal>> clipPolygon(std::vector<ClipPoint<ClipReal>> polygon,
                                             const ClipBox<ClipReal>& box);

// A stroke's dash pattern as a painter wants it: on/off pairs in pen widths.
struct DashPattern {
    // Each dash in units of `unit`, at least 1e-3 view units long; empty for a solid line.
    std::vector<double> dashes;
    // The length of one round of the pattern in view units.
    ClipReal period = 0;
    double unit = 1.0;

    bool dashed() const { return !dashes.empty(); }
    // Where in the pattern a piece starts that begins `along` view units into the stroke,
    // in units of `unit`.
    double offset(ClipReal along) const;
};

// A pattern with a length that is not finite or negative is solid, as is one with no length
// at all; an odd pattern is read twice over, so that dashes and gaps take turns.
DashPattern dashPattern(const std::vector<double>& lengths, double unit);

}  // namespace zw
