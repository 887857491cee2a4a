#include <algorithm>

#include "roots/Scanner.h"

// The scan: f sampled round each cell of a grid over the region, and cells whose winding
// numbers show something split until Newton's method started in them lands in them.
namespace zw::roots::scanning {

Sample Scanner::evaluate(Complex z) {
    if (evaluations_ >= budget_) {
        exhausted_ = true;
        return {z, {kNaN, kNaN}, {kNaN, kNaN}, {kNaN, kNaN}};
    }
    ++evaluations_;
    const Jet jet = f_(z);
    Sample s{z, jet.value - w_, jet.dz, jet.dzbar};
    if (watchingEdge_) {
        const double r = modulus(s.g);
        edgeNearest_ = std::isfinite(r) ? std::min(edgeNearest_, r) : 0.0;
    }
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
    const double h = modulus(b.z - a.z);
    // Between two samples the argument could wind round a zero unseen: where the derivative
    // says f − w may change by more than its size within the piece, it is halved.
    const bool gWants = !gUsable || std::fabs(dg) > 1.0 || h * a.slope() > 1.5 * modulus(a.g) ||
                        h * b.slope() > 1.5 * modulus(b.g);
    const bool dWants = dUsable && std::fabs(dd) > 1.0;
    // Where f − w changes otherwise than its derivative says (by the measure a cell's middle is
    // held to, see tame), it jumps: halved until it is seen to be a cut.
    const bool flat = h * a.slope() <= 0.05 * modulus(a.g) && h * b.slope() <= 0.05 * modulus(b.g);
    const bool jumps = gUsable && !smooth(a, b) && !agree(a, b);
    // Overflow or underflow at both ends: halving finds nothing to follow.
    const bool hopeless = !a.valueUsable() && !b.valueUsable();
    // Beside an overflow or underflow a little halving finds where it starts; more is waste.
    const int deepest = gUsable ? kEdgeDepth : 2;
    if ((((gWants || dWants) && depth < deepest) || (jumps && depth < kJumpDepth)) && !hopeless) {
        const Complex mid = a.z + (b.z - a.z) / 2.0;
        if (mid != a.z && mid != b.z) {
            const Sample m = evaluate(mid);
            if (depth >= deepest && m.valueUsable() && !agree(a, m) && !agree(m, b)) {
                // Past where the argument is followed only a single jump is chased; f rough
                // throughout (round an essential singularity) is not followed further.
                t.gResolved = false;
                t.gLost = true;
                return;
            }
            walk(a, m, depth + 1, t);
            walk(m, b, depth + 1, t);
            return;
        }
    }
    // A jump in the value where f is flat on either side is a branch cut: the argument's jump
    // there is no winding round a zero, and is left out, as if f were continued across it.
    const bool cut = gWants && gUsable && std::fabs(dg) > 1.0 && flat;
    if (cut) {
        t.cut = true;
        return;
    }
    // A smaller jump still counts in the turn, as it always has; inside the cell f may jump too.
    t.cut = t.cut || jumps;
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

void Scanner::examine(const Cell& cell, int level, int wildSince, bool chasing) {
    if (exhausted_) {
        return;
    }
    std::optional<Sample> middle;
    if (level == 0) {
        middle = evaluate(centreOf(cell));
        const Sample& s = *middle;
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
        sum.cut = sum.cut || t.cut;
    }
    std::optional<int> windG = sum.gResolved ? winding(sum.g) : std::nullopt;
    // Critical points count up and poles down in f's winding; 0 where it could not be followed.
    const int windD = sum.dResolved ? winding(sum.d).value_or(0) : 0;
    const bool derivativeQuiet = windD == 0 && !sum.dLost;
    bool busy = sum.spin > kBusySpin || sum.dLost;
    bool wild = false;
    // A wild cell is split on, but only so far below where the wildness was first met; false
    // when that depth is reached and the cell has been left unjudged.
    const auto markWild = [&] {
        wild = true;
        if (wildSince < 0) {
            wildSince = level;
        }
        if (level - wildSince >= kTroubleDepth) {
            trouble(centreOf(cell));
            return false;
        }
        return true;
    };
    // Inside a cell that held a pole with a zero beside it (see pairs below), f' that could not
    // be followed round a part may be hiding them still: such a part is not taken for quiet.
    const bool blurred = chasing && !sum.dResolved && cell.c[0].dzbar == Complex(0.0, 0.0);
    if (windG && *windG == 0 && derivativeQuiet && !busy && !blurred) {
        // A singularity can hide inside a cell whose edges show nothing (1/(e^(1/z) − 1) has as
        // many zeros as poles round 0). A point where f was seen to be infinite makes every
        // cell that holds it not quiet; elsewhere the cell's middle must agree with its corners.
        const Box box{cell.c[0].z.real(), cell.c[2].z.real(), cell.c[0].z.imag(),
                      cell.c[2].z.imag()};
        const bool hides = std::any_of(singular_.begin(), singular_.end(),
                                       [&](Complex p) { return box.contains(p, 0.0); });
        if (!hides) {
            // The grid's cells have their middle already; below the grid it is looked at only
            // where something wild or a zero beside a pole was met above.
            if (!middle && (wildSince >= 0 || chasing)) {
                middle = evaluate(centreOf(cell));
            }
            // A branch cut crossing the cell makes f jump inside it as it did on the edge.
            if (exhausted_ || sum.cut || tame(cell, middle ? &*middle : nullptr)) {
                return;
            }
            if (!markWild()) {
                return;
            }
        } else {
            busy = true;
        }
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
    // Seen from outside, an essential singularity can look like poles too (sin(1/z) − w round 0
    // like two, one of them of high order): one pole alone is believed where Newton's method on
    // 1 / (f − w) closes in on it; several are parted by splitting, as if the cell were wild.
    if (windG && *windG < 0 && windD <= *windG - 1 && windD >= 2 * *windG &&
        cell.c[0].dzbar == Complex(0.0, 0.0)) {
        if (windD == *windG - 1) {
            if (!middle) {
                middle = evaluate(centreOf(cell));
            }
            if (exhausted_ || poleInside(cell, *middle, -*windG)) {
                return;
            }
        }
        if (!markWild()) {
            return;
        }
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
    // f' winding backwards shows a pole; with f − w not winding backwards there is a zero for
    // each pole as well ((z − 1e-9)/(z + 1e-9) in a cell at the finest size). Not so round a
    // branch point, where f' winds backwards with no pole (1/z, the slope of log z).
    const bool pairs = windG && *windG >= 0 && (windD < 0 || blurred) && !sum.cut;
    const bool poleOnly = windG && *windG <= 0 && cell.c[0].dzbar == Complex(0.0, 0.0) && !pairs;
    if (simple || (leaf && !poleOnly)) {
        const int m = windG && *windG > 0 ? *windG : 1;
        const std::optional<Complex> z = newton(centre, m, w_);
        if (z && box.contains(*z, leaf ? size : size * 0.01)) {
            record(*z, m);
            return;
        }
        if (leaf) {
            const bool cutOnly = !windG && !sum.gLost;
            if ((!windG && !cutOnly) || (windG && *windG > 0) || busy || pairs) {
                trouble(centre);
            }
            return;
        }
    }
    if (leaf) {
        if (busy || wild) {
            trouble(centre);
        }
        return;
    }
    if (windG && *windG == 0 && windD > 0 && !busy && level >= kCriticalDepth) {
        return;
    }
    split(cell, level, wildSince, pairs);
}

void Scanner::split(const Cell& cell, int level, int wildSince, bool chasing) {
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
        examine(child, level + 1, wildSince, chasing);
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
    // Odd, as kGridCells is.
    const int most = std::clamp(options_.gridCells, 1, kGridCells) | 1;
    auto cells = [&](double side) {
        int n = static_cast<int>(std::ceil(most * side / longer));
        n = std::clamp(n, 1, most);
        const int fit = static_cast<int>(std::min(side / (kNarrowestInUlps * ulp), 1e6));
        n = std::clamp(std::min(n, fit), 1, most);
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
    watchingEdge_ = true;
    edgeNearest_ = std::numeric_limits<double>::infinity();
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
    watchingEdge_ = false;
    if (!total.gResolved || exhausted_) {
        edgeNearest_ = 0.0;
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

}  // namespace zw::roots::scanning
