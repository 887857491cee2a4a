#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/Geometry.h"
#include "views/ImageRefiner.h"

namespace zw {

// One image built sample by sample: a drawn path's image, the images of the domain's grid
// lines in the range, or the pull-backs of the range's grid lines into the domain. It keeps
// the last sample, the evaluations it may still spend and where its points go, so that each
// new sample is one call whatever the image is.
class ImageStream {
  public:
    // Evaluations allowed for refining the image of one segment: one pointer event's, or one
    // step of a grid line.
    static constexpr long long kSegmentBudget = 400;

    using Steps = std::vector<ImageRefiner::Step>;
    // Takes the points of each refined segment in order, in the receiving plane's true
    // coordinates; a move lifts the pen before its point.
    using Sink = std::function<void(const Steps& steps)>;
    // The receiving plane's view extent as it is now.
    using Bounds = std::function<CGRect()>;

    // Grid lines are sampled at even steps, so the sample before predicts the next one;
    // pointer events are not.
    enum class Spacing { Uneven, Even };
    // A grid's rebuild shares one pool among all its segments; a path's segments each have
    // their own share.
    enum class Budget { PerSegment, Pooled };

    // `refiner` may be shared by streams into the same plane; it stays the caller's.
    ImageStream(ImageRefiner& refiner, Bounds bounds, Sink sink, Spacing spacing, Budget budget);

    // The same kind of image from the same refiner, its points going to `sink` instead.
    ImageStream redirected(Sink sink) const;

    // A new line or path begins at `from`, whose image is `to`. The view may have moved since
    // the last one, so nothing of the last segment is reused.
    void start(CGPoint from, CGPoint to) { trace_ = {from, to, {}, false, true}; }
    // Evaluations for a pooled stream's lines to come.
    void refill(long long evaluations) { pool_ = evaluations; }

    // Refines the image from the last sample to `from`, whose image is `to`, hands it to the
    // sink and makes `from` the last sample.
    void follow(CGPoint from, CGPoint to);

  private:
    // The last sample: where it came from and where it went.
    struct Trace {
        CGPoint from;
        CGPoint to;
        // The view position of the sample before, for evenly spaced lines.
        CGPoint before;
        bool hasBefore = false;
        bool fresh = true;
    };

    ImageRefiner* refiner_;
    Bounds bounds_;
    Sink sink_;
    Spacing spacing_;
    Budget budget_;
    long long pool_ = 0;
    Trace trace_;
    Steps steps_;
};

// Here, to be inlined: it runs once for every sample of every image that follows curves.
inline void ImageStream::follow(CGPoint from, CGPoint to) {
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
    sink_(steps_);
}

}  // namespace zw
