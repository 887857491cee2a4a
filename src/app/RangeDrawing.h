#pragma once

#include <cstddef>
#include <vector>

#include "planes/Path.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "roots/Preimages.h"

namespace zw {

class DomainView;
class PlaneView;
class Transformations;

// A path drawn in the range and, live, its preimages on every branch in the domain: those of
// each new w are followed from those of the w before (continuation), and every branch is a path
// of its own in the domain's newest group of preimage paths. A branch that leaves the region
// (the domain's view and a margin) ends there; one that comes in starts a new path.
class RangeDrawing {
  public:
    // Starts a new group of preimage paths in the domain, in its path colour, from w's
    // preimages.
    void start(const Transformations& engine, DomainView& domain, CGPoint w);
    // Follows the branches on to w.
    void add(CGPoint w);
    void end();
    bool following() const { return domain_ != nullptr; }
    // The preimages of the newest w.
    const roots::PreimageSet& preimages() const { return set_; }

    // Evaluations of f one pointer event may spend.
    static constexpr long kEventBudget = 20000;
    // How far past the domain's edges, in view units, branches are still followed.
    static constexpr double kMargin = 16.0;

  private:
    // The group being drawn, if it is still there.
    PathList* group() const;
    CGPoint inDomain(roots::Complex z) const;
    // Starts a branch's path at z, or from `from` to z where it parts from a known branch.
    std::size_t newBranch(const roots::Complex* from, roots::Complex z);

    roots::Map f_;
    DomainView* domain_ = nullptr;
    std::size_t group_ = 0;
    CGRect region_{};
    Color color_;
    roots::Complex w_;
    roots::PreimageSet set_;
    // For each of set_'s points, the paths of the group that go through it (one per branch:
    // a double point carries two).
    std::vector<std::vector<std::size_t>> through_;
    // Room for add's work, kept between events.
    std::vector<std::vector<std::size_t>> spare_, now_;
    std::vector<bool> claimed_;
};

}  // namespace zw
