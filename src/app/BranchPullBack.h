#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "planes/Path.h"
#include "platform/Geometry.h"
#include "roots/Preimages.h"

namespace zw {

// Lines of the range pulled back into the domain on every branch, through the solver rather
// than a given inverse: each line is followed point by point by continuation, and every
// preimage traces a curve of its own. Curves break where a branch enters or leaves the region,
// where two branches meet and part, and where the next point of a branch is farther than a
// jump away (it came from a fresh scan and only the nearest branch was guessed).
class BranchPullBack {
  public:
    // Where a true z of the domain lies in its view.
    using ToView = std::function<CGPoint(CGPoint)>;

    // f, the domain's region to look in, the evaluations the whole pull-back may spend, and
    // the longest step in view units that still joins two points of one curve.
    BranchPullBack(roots::Map f, CGRect region, long budget, ToView toView, double jump);

    // A new line starts at w; the curves of the line before are finished.
    void startLine(CGPoint w);
    void addPoint(CGPoint w);
    // Finishes the last line and hands over every curve drawn, in view coordinates.
    PathList finish();

    long evaluations() const { return evaluations_; }
    // The budget ran out: the lines from there on are missing or cut short.
    bool exhausted() const { return exhausted_; }

    // At most this much of the budget goes to one point of a line: a single hostile w (round
    // an essential singularity) cannot use it all.
    static constexpr long kStepBudget = 60000;

  private:
    roots::PreimageOptions options();
    // Starts a curve of its own for the preimage k of the current set, from `from` if given.
    void begin(std::size_t k, const CGPoint* from);

    roots::Map f_;
    CGRect region_;
    long budget_;
    ToView toView_;
    double jump_;

    long evaluations_ = 0;
    bool exhausted_ = false;
    bool onLine_ = false;
    roots::Complex w_;
    roots::PreimageSet current_;
    // For each point of current_: its view position and the curve it ends (an index in curves_).
    std::vector<CGPoint> at_;
    std::vector<std::size_t> curveOf_;
    PathList curves_;
};

}  // namespace zw
