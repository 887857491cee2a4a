#include "views/ImageRefiner.h"

#include <cmath>
#include <utility>

#include "platform/Clip.h"

namespace zw {

namespace {

// A margin around the view within which pieces are still refined, so that the curve's
// entry and exit near the edges are drawn true as well.
constexpr double kMargin = 8.0;

bool finite(CGPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Whether p lies within the tolerance of the segment a-b (squares: this runs per sample).
bool nearSegment(CGPoint p, CGPoint a, CGPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    const double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey <= ImageRefiner::kTolerance * ImageRefiner::kTolerance;
}

bool longChord(CGPoint a, CGPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return dx * dx + dy * dy > 32.0 * 32.0;
}

bool shortChord(CGPoint a, CGPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return dx * dx + dy * dy <= ImageRefiner::kTolerance * ImageRefiner::kTolerance;
}

}  // namespace

ImageRefiner::ImageRefiner(Map f, Map toView, CGRect bounds)
    : f_(std::move(f)), toView_(std::move(toView)), bounds_(bounds) {}

ImageRefiner::Sample ImageRefiner::sampleAt(double t) {
    Sample s;
    s.t = t;
    s.z = {z0_.x + (z1_.x - z0_.x) * t, z0_.y + (z1_.y - z0_.y) * t};
    s.w = f_(s.z);
    s.v = toView_(s.w);
    --budget_;
    return s;
}

void ImageRefiner::refine(CGPoint z0, CGPoint w0, CGPoint z1, CGPoint w1, std::vector<Step>& out,
                          const CGPoint* before) {
    z0_ = z0;
    z1_ = z1;
    // Along a line each segment starts where the last one ended: its view position is known.
    const bool known = haveLast_ && w0.x == lastW_.x && w0.y == lastW_.y;
    const Sample a{0.0, z0, w0, known ? lastView_ : toView_(w0)};
    const Sample b{1.0, z1, w1, toView_(w1)};
    lastW_ = w1;
    lastView_ = b.v;
    haveLast_ = true;
    startView_ = a.v;
    penUp_ = !finite(a.v);
    if (before != nullptr && finite(*before) && finite(a.v) && finite(b.v)) {
        // For a smooth curve the midpoint's distance from the chord is about an eighth of
        // the second difference; a jump or a turn shows in it at once. Allowing only an
        // eighth of the tolerance leaves room for what the estimate misses.
        const double dx = b.v.x - 2.0 * a.v.x + before->x;
        const double dy = b.v.y - 2.0 * a.v.y + before->y;
        if (dx * dx + dy * dy <= kTolerance * kTolerance) {
            put(b, true, out);
            return;
        }
    }
    piece(a, b, 0, out);
}

void ImageRefiner::put(const Sample& b, bool connect, std::vector<Step>& out) {
    if (!finite(b.v)) {
        penUp_ = true;
        return;
    }
    out.push_back({b.z, b.w, !connect || penUp_});
    penUp_ = false;
}

// Whether the segment stays outside the view and its margin.
bool ImageRefiner::missesView(CGPoint p, CGPoint q) const {
    const ClipBox<double> box{
        bounds_.origin.x - kMargin, bounds_.origin.x + bounds_.size.width + kMargin,
        bounds_.origin.y - kMargin, bounds_.origin.y + bounds_.size.height + kMargin};
    double t0 = 0.0;
    double t1 = 1.0;
    return !clipSegment(p.x, p.y, q.x, q.y, box, t0, t1);
}

void ImageRefiner::piece(const Sample& a, const Sample& b, int depth, std::vector<Step>& out) {
    const bool fa = finite(a.v);
    const bool fb = finite(b.v);
    if (budget_ <= 0) {
        // Out of evaluations: only a chord too short to mislead is drawn.
        const bool small = fa && fb && shortChord(a.v, b.v);
        put(b, small, out);
        return;
    }
    if (depth >= kMaxDepth) {
        // Halving did not bring the image's pieces together: the curve jumps here. A piece
        // already shorter than the tolerance is drawn; it cannot mislead.
        const bool small = fa && fb && shortChord(a.v, b.v);
        put(b, small, out);
        return;
    }
    const Sample m = sampleAt(0.5 * (a.t + b.t));
    const bool fm = finite(m.v);
    if (fa && fb && fm) {
        if (nearSegment(m.v, a.v, b.v)) {
            // A short first chord cannot hide much; a long one may be a pole's stand-in value
            // lying on it, so it is checked at its quarters like every deeper piece.
            if (depth == 0 && !longChord(a.v, b.v)) {
                put(b, true, out);
                return;
            }
            const Sample q1 = sampleAt(0.5 * (a.t + m.t));
            const Sample q3 = sampleAt(0.5 * (m.t + b.t));
            if (finite(q1.v) && finite(q3.v) && nearSegment(q1.v, a.v, m.v) &&
                nearSegment(q3.v, m.v, b.v)) {
                put(m, true, out);
                put(b, true, out);
                return;
            }
        }
        if (missesView(a.v, b.v) && missesView(a.v, m.v) && missesView(m.v, b.v)) {
            put(b, true, out);
            return;
        }
    } else if (!fa && !fb && !fm) {
        put(b, false, out);
        return;
    }
    piece(a, m, depth + 1, out);
    piece(m, b, depth + 1, out);
}

}  // namespace zw
