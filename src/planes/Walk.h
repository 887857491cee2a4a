#pragma once

#include <cstdint>

namespace zw {

// The positions a plane builds something at along one of its axes: ticks, labels, gridlines
// and shading boxes all step away from the plane's origin by a fixed amount, p0 + k * delta
// for k = 0, 1, ..., count - 1.
//
// Only the steps that fall within a reach of the view are kept. A plane zoomed in far and then
// panned puts its origin billions of units away, and a walk from there would otherwise take
// billions of steps to reach the view.
//
// Each kept position is p0 + k * delta for a whole k, worked out once from the origin rather
// than by adding up steps or by counting back from the view's edge: it is then the very number
// that adding up the steps gives wherever that sum is exact (the whole numbers stay whole), so
// a label read off a position shows the value it should.
class Walk {
  public:
    // One direction of a plane's viewport: the view's size along it, in whole view units, and
    // the offset of the plane's origin from the view centre.
    struct Axis {
        int32_t size = 0;
        double translation = 0.0;

        double half() const { return static_cast<double>(size / 2); }
        double origin() const { return translation + half(); }
    };

    Walk() = default;

    // The steps k < count of p0 + k * delta that lie within [lo, hi], in the walk's order.
    static Walk stepsWithin(double p0, double delta, double count, double lo, double hi);
    // The number of whole i >= 0 with i < bound, and with i <= bound.
    static double countBelow(double bound);
    static double countUpTo(double bound);

    // The ticks of one side (+1 or -1) of one axis: every 50 units from the origin, not at it,
    // out to the view's edge or up to 50 units beyond. The plane's own gridlines lie on them.
    static Walk ticks(const Axis& axis, int side);
    // The labels of one side, at every second tick and 8 units before it; they reach about
    // half a view further than the ticks.
    static Walk labels(const Axis& axis, int side);
    // The gridlines mapped into the other plane: every 50 units from the origin, the axis
    // included, those before the view's near edge skipped.
    static Walk gridlines(const Axis& axis, int side);
    // The lower left corners of one row (or the rows) of shading boxes of size s: from the
    // origin, every s units, one or two boxes past the view's edge; boxes more than one box
    // outside the view on either side are left out.
    static Walk boxes(const Axis& axis, int side, int s);

    long long steps() const { return steps_; }
    bool empty() const { return steps_ == 0; }
    // The n-th kept position, n = 0 .. steps() - 1, in the walk's order.
    double at(long long n) const { return base_ + delta_ * (first_ + static_cast<double>(n)); }

  private:
    Walk(double base, double delta, double first, long long steps)
        : base_(base), delta_(delta), first_(first), steps_(steps) {}

    // Positions are base_ + delta_ * j for whole j; base_ is p0 less a whole number of steps.
    double base_ = 0.0;
    double delta_ = 0.0;
    double first_ = 0.0;
    long long steps_ = 0;
};

}  // namespace zw
