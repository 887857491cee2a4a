#include "app/BranchPullBack.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zw {

BranchPullBack::BranchPullBack(roots::Map f, CGRect region, long budget, ToView toView, double jump)
    : f_(std::move(f)), region_(region), budget_(budget), toView_(std::move(toView)), jump_(jump) {}

roots::PreimageOptions BranchPullBack::options() {
    roots::PreimageOptions o;
    o.maxEvaluations = std::min(kStepBudget, budget_ - evaluations_);
    return o;
}

void BranchPullBack::begin(std::size_t k, const CGPoint* from) {
    auto curve = std::make_unique<Path>();
    curve->makeDashed();
    curve->setLineWidth(0.5);
    if (from != nullptr) {
        curve->moveToPoint(*from);
        curve->lineToPoint(at_[k]);
    } else {
        curve->moveToPoint(at_[k]);
    }
    curveOf_[k] = curves_.size();
    curves_.push_back(std::move(curve));
}

void BranchPullBack::startLine(CGPoint w) {
    onLine_ = false;
    if (!f_ || evaluations_ >= budget_) {
        exhausted_ = exhausted_ || static_cast<bool>(f_);
        return;
    }
    w_ = {w.x, w.y};
    current_ = roots::findPreimages(f_, w_, region_, options());
    evaluations_ += current_.evaluations;
    exhausted_ = exhausted_ || current_.doubt == roots::Doubt::Budget;
    at_.clear();
    curveOf_.assign(current_.points.size(), 0);
    for (std::size_t k = 0; k < current_.points.size(); ++k) {
        const roots::Complex z = current_.points[k].z;
        at_.push_back(toView_({z.real(), z.imag()}));
        begin(k, nullptr);
    }
    onLine_ = true;
}

void BranchPullBack::addPoint(CGPoint w) {
    if (!onLine_) {
        return;
    }
    if (evaluations_ >= budget_) {
        exhausted_ = true;
        onLine_ = false;
        return;
    }
    const roots::Complex next{w.x, w.y};
    roots::PreimageSet found = roots::continuePreimages(f_, current_, w_, next, region_, options());
    evaluations_ += found.evaluations;
    exhausted_ = exhausted_ || found.doubt == roots::Doubt::Budget;

    const std::vector<CGPoint> before = std::move(at_);
    const std::vector<std::size_t> curvesBefore = std::move(curveOf_);
    std::vector<bool> continued(before.size(), false);
    at_.clear();
    curveOf_.assign(found.points.size(), 0);
    for (std::size_t k = 0; k < found.points.size(); ++k) {
        const roots::Preimage& p = found.points[k];
        const CGPoint here = toView_({p.z.real(), p.z.imag()});
        at_.push_back(here);
        const bool linked = p.from >= 0 && static_cast<std::size_t>(p.from) < before.size();
        if (!linked) {
            begin(k, nullptr);
            continue;
        }
        const auto from = static_cast<std::size_t>(p.from);
        const CGPoint there = before[from];
        if (!(std::hypot(here.x - there.x, here.y - there.y) <= jump_)) {
            begin(k, nullptr);
        } else if (continued[from]) {
            // A second branch out of a multiple point: a curve of its own, from that point.
            begin(k, &there);
        } else {
            continued[from] = true;
            curveOf_[k] = curvesBefore[from];
            curves_[curveOf_[k]]->lineToPoint(here);
        }
    }
    current_ = std::move(found);
    w_ = next;
}

PathList BranchPullBack::finish() {
    onLine_ = false;
    // A preimage seen at one point of a line only is no curve.
    std::erase_if(curves_, [](const std::unique_ptr<Path>& c) { return c->elementCount() < 2; });
    return std::move(curves_);
}

}  // namespace zw
