#include <algorithm>
#include <cmath>

#include "roots/Scanner.h"

// What the scan makes of a cell whose edges alone cannot tell: whether f is tame inside it, and
// whether what looks like a pole from outside is one.
namespace zw::roots::scanning {

bool Scanner::tame(const Cell& cell, const Sample* middle) {
    if (middle && !middle->valueUsable()) {
        return false;
    }
    // Where f has no derivative anywhere in the cell there is nothing to compare with, and the
    // answer cannot be certain; where it has none at some samples only (inf / inf beside an
    // overflow), the cell is not tame.
    const auto noSlope = [](const Sample& s) {
        return std::isnan(s.dz.real()) || std::isnan(s.dz.imag()) || std::isnan(s.dzbar.real()) ||
               std::isnan(s.dzbar.imag());
    };
    const auto slopeFinite = [](const Sample& s) { return finite(s.dz) && finite(s.dzbar); };
    const int samples = middle ? 5 : 4;
    const int without =
        static_cast<int>(middle && noSlope(*middle)) +
        static_cast<int>(std::count_if(std::begin(cell.c), std::end(cell.c), noSlope));
    if (without == samples) {
        noDerivative_ = true;
        return true;
    }
    if (without > 0 || (middle && !slopeFinite(*middle)) ||
        !std::all_of(std::begin(cell.c), std::end(cell.c), slopeFinite)) {
        return false;
    }
    // Corner to corner, log(f − w) must change as its derivative says (see agree): where f − w
    // is holomorphic with no zero or pole near the cell (against the cell's size) it does. A jump
    // along a line through the cell (round tan(1/z)'s singularity f is i on one side of the real
    // axis and −i on the other) parts one of the diagonals' ends, where f is flat.
    const auto fits = [](const Sample& a, const Sample& b) { return smooth(a, b) || agree(a, b); };
    if (!fits(cell.c[0], cell.c[2]) || !fits(cell.c[1], cell.c[3])) {
        return false;
    }
    // And from each corner to the middle, where there is one: a zero and a pole that cancel on
    // the edge, or an essential singularity, make it disagree with the corners.
    return !middle || std::all_of(std::begin(cell.c), std::end(cell.c),
                                  [&](const Sample& corner) { return fits(corner, *middle); });
}

bool Scanner::poleInside(const Cell& cell, Sample s, int order) {
    const Box box{cell.c[0].z.real(), cell.c[2].z.real(), cell.c[0].z.imag(), cell.c[2].z.imag()};
    const double size = std::max(box.x1 - box.x0, box.y1 - box.y0);
    // Newton's step for a zero of order `order` of 1 / (f − w): z + order (f − w) / f'. Near a
    // pole it shrinks fast; beside an essential singularity it only creeps towards it.
    for (int i = 0; i < kNewtonIterations && !exhausted_; ++i) {
        if (!finite(s.g) || !finite(s.dz) || s.dz == Complex(0.0, 0.0)) {
            return false;
        }
        const Complex step = static_cast<double>(order) * s.g / s.dz;
        if (!finite(step) || !box.contains(s.z, size)) {
            return false;
        }
        if (std::abs(step) <= std::max(1e-9 * size, mergeRadius_)) {
            return box.contains(s.z, 0.01 * size);
        }
        s = evaluate(s.z + step);
    }
    return false;
}

}  // namespace zw::roots::scanning
