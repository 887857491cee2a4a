#pragma once

#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "engine/ComplexFunctions.h"
#include "platform/Geometry.h"

namespace zw::roots {

using Complex = std::complex<double>;

// The function to invert: its value and derivatives at a point (see Jet). Non-finite values mark
// poles and overflow; a NaN derivative says there is none, and Newton's method then cannot
// polish what the scan finds.
using Map = std::function<Jet(Complex)>;

// |z| without hypot's care where nothing can overflow or underflow: the solver takes a few
// moduli for every evaluation of f, and libm's hypot costs more than a polynomial's value. The
// same answer as std::abs to within a rounding, and exactly std::abs at the extremes, for
// infinities and for NaN.
inline double modulus(Complex z) {
    const double x = std::fabs(z.real());
    const double y = std::fabs(z.imag());
    const double larger = x > y ? x : y;
    if (larger >= 0x1p-500 && larger <= 0x1p500) {
        return std::sqrt(x * x + y * y);
    }
    return std::hypot(x, y);
}

inline constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

// One z with f(z) = w. A multiple preimage (where f' vanishes too, or several so close that
// they cannot be told apart at the scan's finest cell) is reported once with its multiplicity.
struct Preimage {
    Complex z;
    int multiplicity = 1;
    // After continuation: the index of the previous w's preimage this one continues, or -1
    // when it came from a fresh scan and matches none.
    int from = -1;
    // f's value and derivatives at z under the f that found it, where the solver kept them
    // (continuation does), so that following z on costs no evaluation there; NaN otherwise.
    Jet at{{kUnknown, kUnknown}, {kUnknown, kUnknown}, {kUnknown, kUnknown}};
};

// Why a result is not the complete, certain answer.
enum class Doubt {
    None,
    TooMany,       // more preimages than the cap; leftOut says how many more
    Budget,        // the evaluation budget ran out before the scan was done
    Unresolved,    // some part of the region could not be judged (poles on cell edges, overflow,
                   // a region too small for the coordinates' precision, Newton not converging)
    NoDerivative,  // f has no complex derivative somewhere the scan needed one
    Everywhere,    // f is w throughout the region: every point is a preimage
    BadInput,      // w or the region is not a finite number
};

struct PreimageSet {
    std::vector<Preimage> points;
    // Preimages counted in the region but not reported because of the cap (with multiplicity).
    int leftOut = 0;
    // The number of preimages in the region is exactly what points and leftOut say.
    bool certain = true;
    Doubt doubt = Doubt::None;
    // The winding number of f − w around the region's edge (zeros minus poles inside), when the
    // scan could follow it; continuation uses it to tell when preimages crossed that edge.
    std::optional<int> boundaryWinding;
    // How far w may still move before a preimage could reach the region's edge: |f − w| along
    // the edge, as sampled when its winding number was taken, less the way w went since. While
    // w moves by less, continuation keeps the edge's winding number without walking it again.
    double edgeClearance = 0.0;
    // Where the scan could not judge, at its finest cells (an essential singularity, overflow, a
    // pole on a cell's edge): a few points, each standing for those near it.
    std::vector<Complex> unresolvedAt;
    long evaluations = 0;
};

struct PreimageOptions {
    // At most this many points are reported.
    int maxPreimages = 64;
    // Evaluations of f that one query may spend; a query never exceeds it.
    long maxEvaluations = 200000;
    // Cells of the scan's grid along the region's longer side, at most 47 and odd. The walk
    // round each cell halves its edges wherever the argument could turn unseen, so a coarser
    // grid misses nothing; it spends less where the region holds little.
    int gridCells = 47;
};

// Every reported point satisfies |f(z) − w| <= kTolerance (1 + |w|).
inline constexpr double kTolerance = 1e-10;

// Every z in the rectangle (closed; origin is its lower-left corner) with f(z) = w. The region is
// scanned on a grid of cells: the winding numbers of f − w and of f' around each cell show where
// zeros, poles and critical points are; such cells are subdivided until Newton's method, started
// in the cell, lands in it. Preimages closer than about 2^-29 of the region's size are one.
// A jump of f where it is flat on both sides is taken for a branch cut and holds no preimage.
// A cell whose edges show nothing can still hold zeros and poles that cancel round an essential
// singularity (1/(e^(1/z) − 1) round 0), and one whose edges show a pole may hold one (tan(1/z)
// round 0): a cell is passed as empty only where log(f − w) at its middle and corners agrees with
// its derivative, and as a pole only where Newton's method on 1/(f − w) closes in on one; any
// other is split, and left unjudged (not certain) where it stays so. Known blind spots: such a
// singularity whose samples all lie on its steep flanks (most often for large |w|), and a zero
// and a pole much closer together than the cell holding them, where f' cannot be followed round
// it either. The budget counts calls of f.
PreimageSet findPreimages(const Map& f, Complex w, CGRect region,
                          const PreimageOptions& options = {});

// The preimages of wNext, given those of wPrevious (a result of either function for the same f
// and region): each is followed from the previous one by predictor-corrector steps in w, smaller
// where f' is small, and `from` links it to where it came from. Where a branch cannot be
// followed (through a multiple point), branches meet or the count in the region may have changed
// (the edge's winding number moved), the region is scanned afresh and the new points are linked
// to the nearest followed or previous ones.
PreimageSet continuePreimages(const Map& f, const PreimageSet& previous, Complex wPrevious,
                              Complex wNext, CGRect region, const PreimageOptions& options = {});

}  // namespace zw::roots
