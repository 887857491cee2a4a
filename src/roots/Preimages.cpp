#include "roots/Preimages.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace zw::roots {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// Cells along the region's longer side. Odd, so that a region centred on a point of symmetry
// (the origin under z², a pole of 1/z) has that point in the middle of a cell, not on a vertex.
constexpr int kGridCells = 47;
// How often an edge of a cell is halved to follow the argument along it.
constexpr int kEdgeDepth = 8;
// A cell is not split below this fraction of the region's longer side.
constexpr double kFinestCell = 0x1p-30;
// Cells that hold only critical points of f (f' winds, f − w does not) are split at most this
// many times below the grid: enough to part a zero from a pole close to it.
constexpr int kCriticalDepth = 12;
// Cells that spin, or overflow or underflow at a corner, are split at most this many times
// below the grid: such places (round an essential singularity) are areas, not points.
constexpr int kTroubleDepth = 6;
constexpr int kNewtonIterations = 40;
constexpr std::size_t kMaxTrouble = 64;
// More than this much back-and-forth of the argument around a cell (eight turns) marks it busy.
constexpr double kBusySpin = 16 * kPi;
constexpr double kSplitX = 0.4873;
constexpr double kSplitY = 0.5121;
constexpr int kNewtonHalvings = 6;
// A region narrower than this many representable steps of its coordinates is not scanned.
constexpr double kNarrowestInUlps = 64.0;

bool finite(Complex c) {
    return std::isfinite(c.real()) && std::isfinite(c.imag());
}

// The change of argument from a to b, in (−π, π].
double turn(Complex a, Complex b) {
    double t = std::arg(b) - std::arg(a);
    if (t > kPi) {
        t -= 2 * kPi;
    } else if (t <= -kPi) {
        t += 2 * kPi;
    }
    return t;
}

// The step h with a h + b conj(h) = r: Newton's step on the 2x2 real Jacobian that the two
// Wirtinger derivatives a = f_z and b = f_z̄ stand for (b = 0: h = r/a).
Complex solve(Complex a, Complex b, Complex r) {
    if (b == Complex(0.0, 0.0)) {
        return r / a;
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
    double slope() const { return std::abs(dz) + std::abs(dzbar); }
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

    Turn reversed() const { return {-g, -d, gResolved, dResolved, spin, dLost, gLost}; }
};

// A winding number from a sum of turns, if the sum is close enough to a whole turn to trust.
std::optional<int> winding(double sum) {
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

Complex centreOf(const Cell& cell) {
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
    // Follows the preimage z of from to one of w_; nothing if it could not.
    std::optional<Complex> track(Complex z, Complex from);
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
    void examine(const Cell& cell, int level);
    void split(const Cell& cell, int level);
    std::optional<Complex> newton(Complex z, int multiplicity, Complex target);
    // s, where Newton's method stopped, if it is a root and not just a small value.
    std::optional<Complex> settled(const Sample& s, Complex shift, int multiplicity) const;
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
    int leftOut_ = 0;
    std::vector<Preimage> found_;
    std::vector<Complex> singular_;
    std::vector<Complex> trouble_;

    Box box_{0, 0, 0, 0};
    int nx_ = 1, ny_ = 1;
    double minSize_ = 0.0;
    double mergeRadius_ = 0.0;
};

Sample Scanner::evaluate(Complex z) {
    if (evaluations_ >= budget_) {
        exhausted_ = true;
        return {z, {kNaN, kNaN}, {kNaN, kNaN}, {kNaN, kNaN}};
    }
    ++evaluations_;
    const Jet jet = f_(z);
    Sample s{z, jet.value - w_, jet.dz, jet.dzbar};
    if (s.g == Complex(0.0, 0.0) && s.slopeUsable() && box_.contains(z, 0.0)) {
        // Exactly w with f' not zero: a simple preimage, whatever the winding numbers around
        // it make of it. (With f' zero too it may be a multiple one, or an underflow.)
        record(z, 1);
    }
    return s;
}

void Scanner::walk(const Sample& a, const Sample& b, int depth, Turn& t) {
    if (exhausted_) {
        t.gResolved = false;
        return;
    }
    const bool gUsable = a.valueUsable() && b.valueUsable();
    const bool dUsable = a.slopeUsable() && b.slopeUsable();
    const double dg = gUsable ? turn(a.g, b.g) : 0.0;
    const double dd = dUsable ? turn(a.dz, b.dz) : 0.0;
    const double h = std::abs(b.z - a.z);
    // Between two samples the argument could wind round a zero unseen: where the derivative
    // says f − w may change by more than its size within the piece, it is halved.
    const bool gWants = !gUsable || std::fabs(dg) > 1.0 || h * a.slope() > 1.5 * std::abs(a.g) ||
                        h * b.slope() > 1.5 * std::abs(b.g);
    const bool dWants = dUsable && std::fabs(dd) > 1.0;
    // Overflow or underflow at both ends: halving finds nothing to follow.
    const bool hopeless = !a.valueUsable() && !b.valueUsable();
    // Beside an overflow or underflow a little halving finds where it starts; more is waste.
    const int deepest = gUsable ? kEdgeDepth : 2;
    if ((gWants || dWants) && depth < deepest && !hopeless) {
        const Complex mid = a.z + (b.z - a.z) / 2.0;
        if (mid != a.z && mid != b.z) {
            const Sample m = evaluate(mid);
            walk(a, m, depth + 1, t);
            walk(m, b, depth + 1, t);
            return;
        }
    }
    // A jump in the value where f is flat on either side is a branch cut: the argument's jump
    // there is no winding round a zero, and is left out, as if f were continued across it.
    const bool cut = gWants && gUsable && std::fabs(dg) > 1.0 &&
                     h * a.slope() <= 0.05 * std::abs(a.g) && h * b.slope() <= 0.05 * std::abs(b.g);
    if (cut) {
        return;
    }
    if (gWants) {
        t.gResolved = false;
        t.gLost = true;
    } else {
        t.g += dg;
        t.spin += std::fabs(dg);
    }
    if (!dUsable || dWants) {
        t.dResolved = false;
        const auto infinite = [](Complex c) {
            return std::isinf(c.real()) || std::isinf(c.imag());
        };
        const bool holomorphic = a.dzbar == Complex(0.0, 0.0) && b.dzbar == Complex(0.0, 0.0);
        t.dLost = t.dLost || (holomorphic && (infinite(a.dz) || infinite(b.dz)));
    } else {
        t.d += dd;
    }
}

std::optional<Complex> Scanner::newton(Complex z, int multiplicity, Complex target) {
    // g here is f − target; the samples hold f − w_.
    const Complex shift = w_ - target;
    const double tolerance = kTolerance * (1.0 + std::abs(target));
    Sample s = evaluate(z);
    for (int i = 0; i < kNewtonIterations && !exhausted_; ++i) {
        const Complex g = s.g + shift;
        const double r = std::abs(g);
        if (!std::isfinite(r)) {
            return std::nullopt;
        }
        if (r == 0.0) {
            return s.z;
        }
        if (!finite(s.dz) || !finite(s.dzbar)) {
            if (std::isnan(s.dz.real()) || std::isnan(s.dz.imag())) {
                noDerivative_ = true;
            }
            break;
        }
        Complex h = solve(s.dz, s.dzbar, -g) * static_cast<double>(multiplicity);
        if (!finite(h)) {
            break;
        }
        Sample next = evaluate(s.z + h);
        for (int k = 0; k < kNewtonHalvings && !exhausted_ && !(std::abs(next.g + shift) < r);
             ++k) {
            h /= 2.0;
            next = evaluate(s.z + h);
        }
        const double rNext = std::abs(next.g + shift);
        if (!(rNext < r)) {
            break;
        }
        const bool stalled = next.z == s.z || std::abs(h) <= 4 * kEpsilon * std::abs(s.z);
        s = next;
        if (rNext <= tolerance * 1e-4 || (stalled && rNext <= tolerance)) {
            return settled(s, shift, multiplicity);
        }
    }
    if (std::abs(s.g + shift) <= tolerance) {
        return settled(s, shift, multiplicity);
    }
    return std::nullopt;
}

std::optional<Complex> Scanner::settled(const Sample& s, Complex shift, int multiplicity) const {
    // Small enough a value is not yet a root: e^(1/z) is below any tolerance just left of 0,
    // where it has none. At a root, the next step would be tiny too.
    const double next =
        std::abs(solve(s.dz, s.dzbar, s.g + shift)) * static_cast<double>(multiplicity);
    if (s.g + shift == Complex(0.0, 0.0) || next <= std::max(1e-6 * std::abs(s.z), mergeRadius_)) {
        return s.z;
    }
    return std::nullopt;
}

void Scanner::record(Complex z, int multiplicity) {
    if (!box_.contains(z, 0.0)) {
        return;
    }
    for (Preimage& p : found_) {
        if (std::abs(p.z - z) <= mergeRadius_) {
            p.multiplicity = std::max(p.multiplicity, multiplicity);
            return;
        }
    }
    if (static_cast<int>(found_.size()) >= options_.maxPreimages) {
        leftOut_ += multiplicity;
        return;
    }
    found_.push_back({z, multiplicity, -1});
}

void Scanner::trouble(Complex centre) {
    unresolved_ = true;
    const double apart = 0x1p-12 * std::max(box_.x1 - box_.x0, box_.y1 - box_.y0);
    if (trouble_.size() < kMaxTrouble &&
        std::none_of(trouble_.begin(), trouble_.end(),
                     [&](Complex p) { return std::abs(p - centre) <= apart; })) {
        trouble_.push_back(centre);
    }
}

void Scanner::examine(const Cell& cell, int level) {
    if (exhausted_) {
        return;
    }
    if (level == 0) {
        const Sample s = evaluate(centreOf(cell));
        if (!exhausted_ && (!finite(s.g) || (!finite(s.dz) && finite(cell.c[0].dz)))) {
            singular_.push_back(s.z);
        }
    }
    Turn sum;
    for (const Turn& t : cell.e) {
        sum.g += t.g;
        sum.d += t.d;
        sum.gResolved = sum.gResolved && t.gResolved;
        sum.dResolved = sum.dResolved && t.dResolved;
        sum.spin += t.spin;
        sum.dLost = sum.dLost || t.dLost;
        sum.gLost = sum.gLost || t.gLost;
    }
    std::optional<int> windG = sum.gResolved ? winding(sum.g) : std::nullopt;
    // Critical points count up and poles down in f's winding; 0 where it could not be followed.
    const int windD = sum.dResolved ? winding(sum.d).value_or(0) : 0;
    const bool derivativeQuiet = windD == 0 && !sum.dLost;
    bool busy = sum.spin > kBusySpin || sum.dLost;
    if (windG && *windG == 0 && derivativeQuiet && !busy) {
        // A singularity can hide inside a cell whose edges show nothing (1/(e^(1/z) − 1) has as
        // many zeros as poles round 0). Each grid cell's centre is looked at once, as a region
        // centred on such a point has it there; a cell holding one is never quiet.
        const Box box{cell.c[0].z.real(), cell.c[2].z.real(), cell.c[0].z.imag(),
                      cell.c[2].z.imag()};
        const bool hides = std::any_of(singular_.begin(), singular_.end(),
                                       [&](Complex p) { return box.contains(p, 0.0); });
        if (!hides) {
            return;
        }
        busy = true;
    }
    if (std::none_of(std::begin(cell.c), std::end(cell.c),
                     [](const Sample& s) { return s.valueUsable(); })) {
        // Overflow or underflow at every corner: nothing to follow, and nothing to gain by
        // looking closer.
        trouble(centreOf(cell));
        return;
    }
    if (level >= kTroubleDepth &&
        (busy || std::any_of(std::begin(cell.c), std::end(cell.c),
                             [](const Sample& s) { return !s.valueUsable(); }))) {
        // The edge of where f overflows or underflows, or spins (round an essential
        // singularity), runs on through every cell it meets; this deep it is left unjudged.
        trouble(centreOf(cell));
        return;
    }
    // Poles alone: a pole of order m takes m turns from f − w and m + 1 from f', so k poles
    // and nothing else leave f' between one and k turns more than f − w.
    if (windG && *windG < 0 && windD <= *windG - 1 && windD >= 2 * *windG &&
        cell.c[0].dzbar == Complex(0.0, 0.0)) {
        return;
    }

    const Box box{cell.c[0].z.real(), cell.c[2].z.real(), cell.c[0].z.imag(), cell.c[2].z.imag()};
    const double size = std::max(box.x1 - box.x0, box.y1 - box.y0);
    if (static_cast<int>(found_.size()) >= options_.maxPreimages) {
        // Only counted from here on: zeros minus poles, which is the count where f' shows no
        // pole.
        if (windG) {
            leftOut_ += std::max(*windG, 0);
            if (!derivativeQuiet || busy || *windG < 0) {
                leftOutUncertain_ = true;
            }
        } else {
            leftOutUncertain_ = true;
        }
        return;
    }

    const Complex centre((box.x0 + box.x1) / 2.0, (box.y0 + box.y1) / 2.0);
    const bool leaf = size <= minSize_;
    const bool simple = windG && *windG == 1 && derivativeQuiet;
    const bool poleOnly = windG && *windG <= 0 && cell.c[0].dzbar == Complex(0.0, 0.0);
    if (simple || (leaf && !poleOnly)) {
        const int m = windG && *windG > 0 ? *windG : 1;
        const std::optional<Complex> z = newton(centre, m, w_);
        if (z && box.contains(*z, leaf ? size : size * 0.01)) {
            record(*z, m);
            return;
        }
        if (leaf) {
            const bool cutOnly = !windG && !sum.gLost;
            if ((!windG && !cutOnly) || (windG && *windG > 0) || busy) {
                trouble(centre);
            }
            return;
        }
    }
    if (leaf) {
        if (busy) {
            trouble(centre);
        }
        return;
    }
    if (windG && *windG == 0 && windD > 0 && !busy && level >= kCriticalDepth) {
        return;
    }
    split(cell, level);
}

void Scanner::split(const Cell& cell, int level) {
    const Sample* c = cell.c;
    // Split a little off the middle, so that a point of symmetry in the middle of a cell (where
    // Newton has just failed: a multiple preimage, a cluster) does not become a vertex of all
    // four children, with no argument there to follow.
    const double xm = c[0].z.real() + (c[2].z.real() - c[0].z.real()) * kSplitX;
    const double ym = c[0].z.imag() + (c[2].z.imag() - c[0].z.imag()) * kSplitY;
    const Sample mb = evaluate({xm, c[0].z.imag()});
    const Sample mr = evaluate({c[2].z.real(), ym});
    const Sample mt = evaluate({xm, c[2].z.imag()});
    const Sample ml = evaluate({c[0].z.real(), ym});
    const Sample mc = evaluate({xm, ym});
    if (exhausted_) {
        return;
    }
    // The outer edges' halves, counter-clockwise, and the four inner edges.
    const Turn b0 = walk(c[0], mb), b1 = walk(mb, c[1]);
    const Turn r0 = walk(c[1], mr), r1 = walk(mr, c[2]);
    const Turn t0 = walk(c[2], mt), t1 = walk(mt, c[3]);
    const Turn l0 = walk(c[3], ml), l1 = walk(ml, c[0]);
    const Turn down = walk(mb, mc), up = walk(mc, mt), left = walk(ml, mc), right = walk(mc, mr);
    const Cell children[4] = {
        {{c[0], mb, mc, ml}, {b0, down, left.reversed(), l1}},
        {{mb, c[1], mr, mc}, {b1, r0, right.reversed(), down.reversed()}},
        {{mc, mr, c[2], mt}, {right, r1, t0, up.reversed()}},
        {{ml, mc, mt, c[3]}, {left, up, t1, l0}},
    };
    for (const Cell& child : children) {
        examine(child, level + 1);
    }
}

bool Scanner::setUp(CGRect region) {
    box_ = {region.origin.x, region.origin.x + region.size.width, region.origin.y,
            region.origin.y + region.size.height};
    const double width = box_.x1 - box_.x0, height = box_.y1 - box_.y0;
    const double extent =
        std::max({std::fabs(box_.x0), std::fabs(box_.x1), std::fabs(box_.y0), std::fabs(box_.y1)});
    const double ulp = std::max(extent * kEpsilon, std::numeric_limits<double>::denorm_min());
    const double longer = std::max(width, height);
    minSize_ = std::max(longer * kFinestCell, 16.0 * ulp);
    mergeRadius_ = 2.0 * minSize_;
    if (width < kNarrowestInUlps * ulp || height < kNarrowestInUlps * ulp) {
        return false;
    }
    auto cells = [&](double side) {
        int n = static_cast<int>(std::ceil(kGridCells * side / longer));
        n = std::clamp(n, 1, kGridCells);
        const int fit = static_cast<int>(std::min(side / (kNarrowestInUlps * ulp), 1e6));
        n = std::clamp(std::min(n, fit), 1, kGridCells);
        return n % 2 == 0 ? std::max(n - 1, 1) : n;
    };
    nx_ = cells(width);
    ny_ = cells(height);
    return true;
}

Complex Scanner::vertex(int i, int j) const {
    const double x = i == nx_ ? box_.x1 : box_.x0 + i * ((box_.x1 - box_.x0) / nx_);
    const double y = j == ny_ ? box_.y1 : box_.y0 + j * ((box_.y1 - box_.y0) / ny_);
    return {x, y};
}

std::optional<int> Scanner::boundaryWinding(CGRect region) {
    if (!setUp(region)) {
        return std::nullopt;
    }
    // Counter-clockwise along the grid's outer vertices.
    std::vector<Complex> ring;
    for (int i = 0; i < nx_; ++i) {
        ring.push_back(vertex(i, 0));
    }
    for (int j = 0; j < ny_; ++j) {
        ring.push_back(vertex(nx_, j));
    }
    for (int i = nx_; i > 0; --i) {
        ring.push_back(vertex(i, ny_));
    }
    for (int j = ny_; j > 0; --j) {
        ring.push_back(vertex(0, j));
    }
    const Sample first = evaluate(ring.front());
    Sample previous = first;
    Turn total;
    for (std::size_t k = 1; k <= ring.size(); ++k) {
        const Sample s = k == ring.size() ? first : evaluate(ring[k]);
        const Turn t = walk(previous, s);
        total.g += t.g;
        total.gResolved = total.gResolved && t.gResolved;
        previous = s;
    }
    if (!total.gResolved || exhausted_) {
        return std::nullopt;
    }
    return winding(total.g);
}

PreimageSet Scanner::scan(CGRect region) {
    PreimageSet result;
    const bool narrow = !setUp(region);
    if (narrow) {
        // Too few representable points to scan: try the middle alone.
        const Complex centre((box_.x0 + box_.x1) / 2.0, (box_.y0 + box_.y1) / 2.0);
        if (const std::optional<Complex> z = newton(centre, 1, w_)) {
            record(*z, 1);
        }
        unresolved_ = true;
    } else {
        std::vector<Sample> vertices;
        vertices.reserve(static_cast<std::size_t>((nx_ + 1) * (ny_ + 1)));
        for (int j = 0; j <= ny_; ++j) {
            for (int i = 0; i <= nx_; ++i) {
                vertices.push_back(evaluate(vertex(i, j)));
            }
        }
        auto at = [&](int i, int j) -> const Sample& {
            return vertices[static_cast<std::size_t>(j * (nx_ + 1) + i)];
        };
        const bool constant = std::all_of(vertices.begin(), vertices.end(), [&](const Sample& s) {
            return std::abs(s.g) <= tolerance_ && s.slope() == 0.0;
        });
        if (constant && !exhausted_) {
            found_.clear();
            result.certain = false;
            result.doubt = Doubt::Everywhere;
            result.evaluations = evaluations_;
            return result;
        }
        // The turn along each edge of the grid, once: rightwards and upwards.
        std::vector<Turn> across, upward;
        for (int j = 0; j <= ny_; ++j) {
            for (int i = 0; i < nx_; ++i) {
                across.push_back(walk(at(i, j), at(i + 1, j)));
            }
        }
        for (int j = 0; j < ny_; ++j) {
            for (int i = 0; i <= nx_; ++i) {
                upward.push_back(walk(at(i, j), at(i, j + 1)));
            }
        }
        auto h = [&](int i, int j) { return across[static_cast<std::size_t>(j * nx_ + i)]; };
        auto v = [&](int i, int j) { return upward[static_cast<std::size_t>(j * (nx_ + 1) + i)]; };

        Turn edge;
        for (int i = 0; i < nx_; ++i) {
            const Turn b = h(i, 0), t = h(i, ny_);
            edge.g += b.g - t.g;
            edge.gResolved = edge.gResolved && b.gResolved && t.gResolved;
        }
        for (int j = 0; j < ny_; ++j) {
            const Turn r = v(nx_, j), l = v(0, j);
            edge.g += r.g - l.g;
            edge.gResolved = edge.gResolved && r.gResolved && l.gResolved;
        }
        if (edge.gResolved && !exhausted_) {
            result.boundaryWinding = winding(edge.g);
        }

        for (int j = 0; j < ny_ && !exhausted_; ++j) {
            for (int i = 0; i < nx_ && !exhausted_; ++i) {
                const Cell cell{{at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)},
                                {h(i, j), v(i + 1, j), h(i, j + 1).reversed(), v(i, j).reversed()}};
                examine(cell, 0);
            }
        }
    }

    std::sort(found_.begin(), found_.end(), [](const Preimage& a, const Preimage& b) {
        return a.z.real() != b.z.real() ? a.z.real() < b.z.real() : a.z.imag() < b.z.imag();
    });
    result.points = found_;
    result.unresolvedAt = trouble_;
    result.leftOut = leftOut_;
    result.evaluations = evaluations_;
    result.certain = !(exhausted_ || unresolved_ || noDerivative_ || leftOutUncertain_);
    if (exhausted_) {
        result.doubt = Doubt::Budget;
    } else if (noDerivative_) {
        result.doubt = Doubt::NoDerivative;
    } else if (unresolved_ || leftOutUncertain_) {
        result.doubt = Doubt::Unresolved;
    } else if (leftOut_ > 0) {
        result.doubt = Doubt::TooMany;
    }
    return result;
}

std::optional<Complex> Scanner::track(Complex z, Complex from) {
    const Complex to = w_;
    double t = 0.0;
    double dt = 1.0;
    Sample s = evaluate(z);
    while (t < 1.0 && !exhausted_) {
        if (dt < 0x1p-16) {
            return std::nullopt;
        }
        const double t1 = std::min(1.0, t + dt);
        const Complex target = from + (to - from) * t1;
        // Predictor: the tangent step, which is long where f' is small; the corrector must then
        // stay close to it or the step is halved.
        const Complex value = s.g + w_;
        const Complex h = solve(s.dz, s.dzbar, target - value);
        if (!finite(h)) {
            return std::nullopt;
        }
        const Complex predicted = s.z + h;
        const std::optional<Complex> corrected = newton(predicted, 1, target);
        if (corrected && std::abs(*corrected - predicted) <= 0.25 * std::abs(h) + mergeRadius_) {
            t = t1;
            s = evaluate(*corrected);
            dt = std::min(1.0, dt * 2.0);
        } else {
            dt /= 2.0;
        }
    }
    if (exhausted_) {
        return std::nullopt;
    }
    return s.z;
}

bool usable(Complex c) {
    return finite(c);
}

bool usable(CGRect r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height) && std::isfinite(r.origin.x + r.size.width) &&
           std::isfinite(r.origin.y + r.size.height);
}

// Links each fresh point to the nearest earlier branch (followed position where there is one)
// that has room: a branch of multiplicity m continues into at most m points.
void link(std::vector<Preimage>& fresh, const std::vector<Preimage>& previous,
          const std::vector<std::optional<Complex>>& followed) {
    struct Pair {
        double distance;
        std::size_t point, branch;
    };
    std::vector<Pair> pairs;
    for (std::size_t p = 0; p < fresh.size(); ++p) {
        for (std::size_t b = 0; b < previous.size(); ++b) {
            const Complex at = followed[b] ? *followed[b] : previous[b].z;
            pairs.push_back({std::abs(fresh[p].z - at), p, b});
        }
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& a, const Pair& b) { return a.distance < b.distance; });
    std::vector<int> room;
    for (const Preimage& p : previous) {
        room.push_back(p.multiplicity);
    }
    for (const Pair& pair : pairs) {
        Preimage& point = fresh[pair.point];
        if (point.from < 0 && room[pair.branch] > 0) {
            point.from = static_cast<int>(pair.branch);
            room[pair.branch] -= 1;
        }
    }
}

}  // namespace

PreimageSet findPreimages(const Map& f, Complex w, CGRect region, const PreimageOptions& options) {
    if (!usable(w) || !usable(region)) {
        PreimageSet result;
        result.certain = false;
        result.doubt = Doubt::BadInput;
        return result;
    }
    if (!(region.size.width > 0.0) || !(region.size.height > 0.0)) {
        PreimageSet result;  // no interior, nothing in it
        result.boundaryWinding = 0;
        return result;
    }
    Scanner scanner(f, w, options, options.maxEvaluations);
    return scanner.scan(region);
}

PreimageSet continuePreimages(const Map& f, const PreimageSet& previous, Complex wPrevious,
                              Complex wNext, CGRect region, const PreimageOptions& options) {
    if (!usable(wPrevious) || !usable(wNext) || !usable(region) || !(region.size.width > 0.0) ||
        !(region.size.height > 0.0)) {
        return findPreimages(f, wNext, region, options);
    }
    Scanner follower(f, wNext, options, options.maxEvaluations);
    const double merge = follower.mergeRadius(region);
    std::vector<std::optional<Complex>> followed(previous.points.size());
    bool whole = previous.certain && previous.leftOut == 0 && previous.boundaryWinding;
    for (std::size_t k = 0; k < previous.points.size(); ++k) {
        const Preimage& p = previous.points[k];
        if (p.multiplicity == 1) {
            followed[k] = follower.track(p.z, wPrevious);
        }
        whole = whole && followed[k].has_value();
    }

    if (whole) {
        // The count inside changes by as much as the edge's winding number: poles do not move.
        const std::optional<int> edge = follower.boundaryWinding(region);
        int expected = edge ? *edge - *previous.boundaryWinding : 0;
        for (const Preimage& p : previous.points) {
            expected += p.multiplicity;
        }
        PreimageSet result;
        const Box box{region.origin.x, region.origin.x + region.size.width, region.origin.y,
                      region.origin.y + region.size.height};
        for (std::size_t k = 0; k < followed.size(); ++k) {
            if (box.contains(*followed[k], 0.0)) {
                result.points.push_back({*followed[k], 1, static_cast<int>(k)});
            }
        }
        bool apart = true;
        for (std::size_t i = 0; i < result.points.size(); ++i) {
            for (std::size_t j = i + 1; j < result.points.size(); ++j) {
                apart = apart && std::abs(result.points[i].z - result.points[j].z) > merge;
            }
        }
        if (edge && apart && static_cast<int>(result.points.size()) == expected &&
            expected <= options.maxPreimages && !follower.exhausted()) {
            result.boundaryWinding = edge;
            result.evaluations = follower.evaluations();
            return result;
        }
    }

    PreimageOptions rest = options;
    rest.maxEvaluations = std::max(0L, options.maxEvaluations - follower.evaluations());
    PreimageSet result = findPreimages(f, wNext, region, rest);
    result.evaluations += follower.evaluations();
    link(result.points, previous.points, followed);
    return result;
}

}  // namespace zw::roots
