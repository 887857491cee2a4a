#pragma once

// The scan behind findPreimages and continuePreimages, shared by their files: the argument
// followed round a grid of cells, Newton's method where a cell holds something, and the
// predictor-corrector that follows one preimage as w moves.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "roots/Preimages.h"

namespace zw::roots::scanning {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// Cells along the region's longer side. Odd, so that a region centred on a point of symmetry
// (the origin under z², a pole of 1/z) has that point in the middle of a cell, not on a vertex.
inline constexpr int kGridCells = 47;
// How often an edge of a cell is halved to follow the argument along it.
inline constexpr int kEdgeDepth = 8;
// How often a piece across which f jumps is halved: a branch cut stays a jump however short the
// piece, while the steep but smooth rise of f beside an essential singularity (e^(1/z) near the
// imaginary axis) shows its slope once the piece is as short as the rise.
inline constexpr int kJumpDepth = 24;
// A cell is not split below this fraction of the region's longer side.
inline constexpr double kFinestCell = 0x1p-30;
// Cells that hold only critical points of f (f' winds, f − w does not) are split at most this
// many times below the grid: enough to part a zero from a pole close to it.
inline constexpr int kCriticalDepth = 12;
// Cells that spin, or overflow or underflow at a corner, are split at most this many times
// below the grid, and cells that are not tame this many times below where they were first
// found so: such places (round an essential singularity) are areas, not points. (A pole beside
// a cell's corner makes it look wild too, until its pieces are small beside their distance.)
inline constexpr int kTroubleDepth = 6;
inline constexpr int kNewtonIterations = 40;
inline constexpr std::size_t kMaxTrouble = 64;
// More than this much back-and-forth of the argument around a cell (eight turns) marks it busy.
inline constexpr double kBusySpin = 16 * kPi;
inline constexpr double kSplitX = 0.4873;
inline constexpr double kSplitY = 0.5121;
inline constexpr int kNewtonHalvings = 6;
// A region narrower than this many representable steps of its coordinates is not scanned.
inline constexpr double kNarrowestInUlps = 64.0;
// A cell with nothing on its edges is taken for empty only where log(f − w) runs from each
// corner to the middle as its derivative says, to within this fraction of the change...
inline constexpr double kTameMismatch = 0.5;
// ...or of this much, below which the change is rounding.
inline constexpr double kTameFloor = 1e-9;

inline bool finite(Complex c) {
    return std::isfinite(c.real()) && std::isfinite(c.imag());
}

// The change of argument from a to b, in (−π, π].
inline double turn(Complex a, Complex b) {
    double t = std::arg(b) - std::arg(a);
    if (t > kPi) {
        t -= 2 * kPi;
    } else if (t <= -kPi) {
        t += 2 * kPi;
    }
    return t;
}

// r / a. The library's division takes care of infinities and extreme exponents, and costs
// several products for it; where none of that can arise (both moderate, a not zero) the
// quotient is r times the conjugate over the norm, equal to within a few roundings.
inline Complex quotient(Complex r, Complex a) {
    const double n = a.real() * a.real() + a.imag() * a.imag();
    const double m = std::max(std::fabs(r.real()), std::fabs(r.imag()));
    if (n >= 0x1p-1000 && n <= 0x1p1000 && m <= 0x1p500) {
        return r * std::conj(a) * (1.0 / n);
    }
    return r / a;
}

// The step h with a h + b conj(h) = r: Newton's step on the 2x2 real Jacobian that the two
// Wirtinger derivatives a = f_z and b = f_z̄ stand for (b = 0: h = r/a).
inline Complex solve(Complex a, Complex b, Complex r) {
    if (b == Complex(0.0, 0.0)) {
        return quotient(r, a);
    }
    const double det = std::norm(a) - std::norm(b);
    return (std::conj(a) * r - b * std::conj(r)) / det;
}

struct Sample {
    Complex z;
    Complex g;  // f(z) − w
    Complex dz;
    Complex dzbar;

    bool valueUsable() const { return finite(g) && g != Complex(0.0, 0.0); }
    // f' winds only where f is holomorphic.
    bool slopeUsable() const {
        return finite(dz) && dz != Complex(0.0, 0.0) && dzbar == Complex(0.0, 0.0);
    }
    double slope() const { return modulus(dz) + modulus(dzbar); }
};

// The change of argument of f − w and of f' along a piece of a cell's edge.
struct Turn {
    double g = 0.0;
    double d = 0.0;
    bool gResolved = true;
    bool dResolved = true;
    // How far the argument of f − w went back and forth: a cell with no net winding whose
    // argument spins a lot is crowded with zeros and poles that cancel (an essential
    // singularity), not empty.
    double spin = 0.0;
    // f' is infinite at a sample while f is holomorphic: a cell with such an edge is not quiet.
    // (f' spinning too fast to follow is only a critical point near the edge.)
    bool dLost = false;
    // f − w could not be followed.
    bool gLost = false;
    // A jump taken for a branch cut was left out: inside, f may jump too.
    bool cut = false;

    Turn reversed() const { return {-g, -d, gResolved, dResolved, spin, dLost, gLost, cut}; }
};

// Whether log(f − w) changes from a to b as the trapezoid rule on its derivative f' / (f − w)
// says: within kTameMismatch of the change, or of how much that derivative differs between the
// two ends (where it differs much, as beside a zero or pole of f − w or a branch point, the rule
// is no guide), or within kTameFloor. Without a finite derivative there is nothing to compare,
// and nothing is said.
inline bool agree(const Sample& a, const Sample& b) {
    // Written out, with no std::abs or std::log of a complex number: this runs for every piece
    // of every edge, and those go the slow, exact way near 1.
    const auto size = [](Complex c) { return std::sqrt(std::norm(c)); };
    const Complex step = b.z - a.z;
    const double na = std::norm(a.g), nb = std::norm(b.g);
    const Complex la = (a.dz * step + a.dzbar * std::conj(step)) * std::conj(a.g) / na;
    const Complex lb = (b.dz * step + b.dzbar * std::conj(step)) * std::conj(b.g) / nb;
    if (!finite(la) || !finite(lb)) {
        return true;  // no derivative to compare with
    }
    const Complex predicted = (la + lb) * 0.5;
    // log(b.g / a.g): by its series where the ratio is near 1 (to well within what is allowed),
    // else from its modulus and argument.
    const Complex q = (b.g - a.g) * std::conj(a.g) / na;
    Complex change;
    if (std::norm(q) <= 0.25) {
        change = q * (1.0 - q * (0.5 - q * (1.0 / 3.0 - q * 0.25)));
    } else {
        change = {0.5 * std::log(nb / na), turn(a.g, b.g)};
    }
    Complex miss = change - predicted;
    // The logarithm's imaginary part is known only up to whole turns.
    if (std::fabs(miss.imag()) > kPi) {
        miss.imag(std::remainder(miss.imag(), 2 * kPi));
    }
    change = predicted + miss;
    return size(miss) <=
           kTameMismatch * (size(change) + size(predicted) + size(la - lb)) + kTameFloor;
}

// Whether f − w changes from a to b as the trapezoid rule on f' says, to a tenth of the
// changes: cheap, and where it holds, agree holds too (what is left to it is the rest).
inline bool smooth(const Sample& a, const Sample& b) {
    const Complex step = b.z - a.z;
    const Complex va = a.dz * step + a.dzbar * std::conj(step);
    const Complex vb = b.dz * step + b.dzbar * std::conj(step);
    const Complex dv = b.g - a.g;
    return std::norm(dv - (va + vb) * 0.5) <=
           0.01 * (std::norm(va) + std::norm(vb) + std::norm(dv));
}

// A winding number from a sum of turns, if the sum is close enough to a whole turn to trust.
inline std::optional<int> winding(double sum) {
    const double turns = sum / (2 * kPi);
    const double whole = std::round(turns);
    if (!std::isfinite(turns) || std::fabs(turns - whole) > 0.2) {
        return std::nullopt;
    }
    return static_cast<int>(whole);
}

// A cell with its corners counter-clockwise from the lower left and the turns along its edges
// in that order (corner k to corner k+1).
struct Cell {
    Sample c[4];
    Turn e[4];
};

inline Complex centreOf(const Cell& cell) {
    return {(cell.c[0].z.real() + cell.c[2].z.real()) / 2.0,
            (cell.c[0].z.imag() + cell.c[2].z.imag()) / 2.0};
}

struct Box {
    double x0, x1, y0, y1;

    bool contains(Complex z, double slack) const {
        return z.real() >= x0 - slack && z.real() <= x1 + slack && z.imag() >= y0 - slack &&
               z.imag() <= y1 + slack;
    }
};

class Scanner {
  public:
    Scanner(const Map& f, Complex w, const PreimageOptions& options, long budget)
        : f_(f),
          w_(w),
          options_(options),
          budget_(budget),
          tolerance_(kTolerance * (1.0 + std::abs(w))) {}

    PreimageSet scan(CGRect region);
    std::optional<int> boundaryWinding(CGRect region);
    // The least |f − w| met on the edge by the last boundaryWinding, halved: the samples are
    // apart, and f may come closer between them.
    double edgeClearance() const { return edgeNearest_ / 2.0; }
    // Follows the preimage z of from to one of w_, where f is `at` (NaN where not known);
    // nothing if it could not.
    std::optional<Sample> track(Complex z, const Jet& at, Complex from);
    long evaluations() const { return evaluations_; }
    bool exhausted() const { return exhausted_; }
    double mergeRadius(CGRect region) {
        setUp(region);
        return mergeRadius_;
    }

  private:
    Sample evaluate(Complex z);
    void walk(const Sample& a, const Sample& b, int depth, Turn& t);
    Turn walk(const Sample& a, const Sample& b) {
        Turn t;
        walk(a, b, 0, t);
        return t;
    }
    // wildSince: the level at which an ancestor was first found not tame, or −1; chasing: the
    // cell was split to part a zero from a pole.
    void examine(const Cell& cell, int level, int wildSince = -1, bool chasing = false);
    void split(const Cell& cell, int level, int wildSince, bool chasing);
    // Whether f looks holomorphic and free of zeros and poles of f − w over a cell whose edges
    // show none, judged from its corners and the sample at its middle, if there is one.
    bool tame(const Cell& cell, const Sample* middle);
    // Whether a pole of the given order is in the cell, sought from s.
    bool poleInside(const Cell& cell, Sample s, int order);
    std::optional<Complex> newton(Complex z, int multiplicity, Complex target);
    // Newton's method from s towards f = target until |f − target| <= enough (or it stalls
    // within the tolerance); where it stopped, if that is a root.
    std::optional<Sample> polish(Sample s, int multiplicity, Complex target, double enough);
    // Whether s, where Newton's method stopped, is a root and not just a small value.
    bool settled(const Sample& s, Complex shift, int multiplicity) const;
    void record(Complex z, int multiplicity);
    // A finest cell that could not be judged.
    void trouble(Complex centre);
    // The grid's shape for the region; false if the region is too narrow to scan.
    bool setUp(CGRect region);
    Complex vertex(int i, int j) const;

    const Map& f_;
    Complex w_;
    PreimageOptions options_;
    long budget_;
    double tolerance_;

    long evaluations_ = 0;
    bool exhausted_ = false;
    bool unresolved_ = false;
    bool noDerivative_ = false;
    bool leftOutUncertain_ = false;
    // While the edge is walked: the least |f − w| sampled on it.
    bool watchingEdge_ = false;
    double edgeNearest_ = 0.0;
    int leftOut_ = 0;
    std::vector<Preimage> found_;
    std::vector<Complex> singular_;
    std::vector<Complex> trouble_;

    Box box_{0, 0, 0, 0};
    int nx_ = 1, ny_ = 1;
    double minSize_ = 0.0;
    double mergeRadius_ = 0.0;
};

}  // namespace zw::roots::scanning
