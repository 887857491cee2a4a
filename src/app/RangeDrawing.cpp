#include "app/RangeDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "engine/FormulaMaps.h"
#include "engine/Transformations.h"
#include "roots/SolverMaps.h"
#include "views/DomainView.h"

namespace zw {

namespace {

roots::PreimageOptions eventOptions() {
    roots::PreimageOptions options;
    options.maxEvaluations = RangeDrawing::kEventBudget;
    return options;
}

}  // namespace

void RangeDrawing::start(const Transformations& engine, DomainView& domain, CGPoint w) {
    f_ = roots::activeMap(engine);
    domain_ = &domain;
    domain.preimagePaths.emplace_back();
    group_ = domain.preimagePaths.size() - 1;
    region_ = domain.viewport().regionAround(kMargin);
    color_ = domain.pathColor;
    w_ = {w.x, w.y};
    set_ = f_ ? roots::findPreimages(f_, w_, region_, eventOptions()) : roots::PreimageSet{};
    through_.assign(set_.points.size(), {});
    for (std::size_t k = 0; k < set_.points.size(); ++k) {
        for (int m = 0; m < set_.points[k].multiplicity; ++m) {
            through_[k].push_back(newBranch(nullptr, set_.points[k].z));
        }
    }
    domain.setNeedsDisplay(true);
}

void RangeDrawing::end() {
    domain_ = nullptr;
    f_ = nullptr;
    set_ = {};
    through_.clear();
}

PathList* RangeDrawing::group() const {
    if (domain_ == nullptr || group_ >= domain_->preimagePaths.size()) {
        return nullptr;
    }
    return &domain_->preimagePaths[group_];
}

CGPoint RangeDrawing::inDomain(roots::Complex z) const {
    return domain_->trueCoordinatesToViewCoordinates({z.real(), z.imag()});
}

std::size_t RangeDrawing::newBranch(const roots::Complex* from, roots::Complex z) {
    PathList& paths = *group();
    auto branch = std::make_unique<Path>();
    branch->setColor(color_);
    branch->setLineWidth(1.0);
    branch->moveToPoint(inDomain(from != nullptr ? *from : z));
    if (from != nullptr) {
        branch->lineToPoint(inDomain(z));
    }
    paths.push_back(std::move(branch));
    return paths.size() - 1;
}

void RangeDrawing::add(CGPoint w) {
    PathList* paths = group();
    if (paths == nullptr || !f_) {
        return;
    }
    const roots::Complex next{w.x, w.y};
    roots::PreimageSet found =
        roots::continuePreimages(f_, set_, w_, next, region_, eventOptions());
    const std::vector<roots::Preimage>& before = set_.points;
    // A branch may move this far in one event and still be drawn as one line: farther, it is
    // no continuation but two branches, one leaving the region and one coming in.
    const double reach = 0.25 * std::max(region_.size.width, region_.size.height);

    // The paths of each previous point not yet taken on, and whether a new point took it. The
    // lists are kept from event to event, so that a pointer's move allocates nothing.
    std::vector<std::vector<std::size_t>>& spare = spare_;
    spare.resize(through_.size());
    for (std::size_t b = 0; b < through_.size(); ++b) {
        spare[b].assign(through_[b].begin(), through_[b].end());
    }
    std::vector<bool>& claimed = claimed_;
    claimed.assign(before.size(), false);
    std::vector<std::vector<std::size_t>>& now = now_;
    now.resize(found.points.size());
    for (std::vector<std::size_t>& taken : now) {
        taken.clear();
    }
    const auto take = [&](std::size_t from, std::size_t to) {
        while (static_cast<int>(now[to].size()) < found.points[to].multiplicity &&
               !spare[from].empty() &&
               roots::modulus(found.points[to].z - before[from].z) <= reach) {
            now[to].push_back(spare[from].front());
            spare[from].erase(spare[from].begin());
            claimed[from] = true;
        }
    };
    for (std::size_t k = 0; k < found.points.size(); ++k) {
        const int from = found.points[k].from;
        if (from >= 0 && static_cast<std::size_t>(from) < before.size()) {
            take(static_cast<std::size_t>(from), k);
        }
    }
    // Branches that met in a multiple point: the point continues each of them, the nearest
    // first, from those no other point continues.
    for (std::size_t k = 0; k < found.points.size(); ++k) {
        while (static_cast<int>(now[k].size()) < found.points[k].multiplicity) {
            std::size_t best = before.size();
            double nearest = std::numeric_limits<double>::infinity();
            for (std::size_t b = 0; b < before.size(); ++b) {
                const double d = roots::modulus(found.points[k].z - before[b].z);
                if (!claimed[b] && !spare[b].empty() && d < nearest) {
                    best = b;
                    nearest = d;
                }
            }
            if (best == before.size() || nearest > reach) {
                break;
            }
            take(best, k);
        }
    }
    for (std::size_t k = 0; k < found.points.size(); ++k) {
        const roots::Preimage& p = found.points[k];
        for (const std::size_t branch : now[k]) {
            (*paths)[branch]->lineToPoint(inDomain(p.z));
        }
        // A branch that parts from one before (past a multiple point) starts there; one from
        // nowhere (it came into the region) starts where it is.
        const bool parts =
            p.from >= 0 && static_cast<std::size_t>(p.from) < before.size() &&
            roots::modulus(p.z - before[static_cast<std::size_t>(p.from)].z) <= reach;
        while (static_cast<int>(now[k].size()) < p.multiplicity) {
            now[k].push_back(
                newBranch(parts ? &before[static_cast<std::size_t>(p.from)].z : nullptr, p.z));
        }
    }
    set_ = std::move(found);
    through_.swap(now);
    w_ = next;
    domain_->setNeedsDisplay(true);
}

}  // namespace zw
