#include "app/ImageStream.h"

#include <algorithm>
#include <utility>

namespace zw {

ImageStream::ImageStream(ImageRefiner& refiner, Bounds bounds, Sink sink, Spacing spacing,
                         Budget budget)
    : refiner_(&refiner),
      bounds_(std::move(bounds)),
      sink_(std::move(sink)),
      spacing_(spacing),
      budget_(budget) {}

ImageStream ImageStream::redirected(Sink sink) const {
    return ImageStream(*refiner_, bounds_, std::move(sink), spacing_, budget_);
}

void ImageStream::start(CGPoint from, CGPoint to) {
    trace_ = {from, to, {}, false, true};
}

void ImageStream::follow(CGPoint from, CGPoint to) {
    ImageRefiner& refiner = *refiner_;
    refiner.setBounds(bounds_());
    const bool pooled = budget_ == Budget::Pooled;
    // A segment where f winds without end (an essential singularity) stops at its own share.
    const long long allowed = pooled ? std::min(pool_, kSegmentBudget) : kSegmentBudget;
    refiner.setBudget(allowed);
    if (trace_.fresh) {
        refiner.forgetLast();
    }
    steps_.clear();
    refiner.refine(trace_.from, trace_.to, from, to, steps_,
                   trace_.hasBefore ? &trace_.before : nullptr);
    if (pooled) {
        pool_ -= allowed - std::max(refiner.budget(), 0LL);
    }
    trace_ = {from, to, refiner.startView(), spacing_ == Spacing::Even, false};
    for (const ImageRefiner::Step& step : steps_) {
        sink_(step.w, step.move);
    }
}

}  // namespace zw
