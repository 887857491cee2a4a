#pragma once

#include <functional>
#include <vector>

#include "platform/Geometry.h"

namespace zw {

// Follows the image of a straight segment z0 -> z1 under a map f closely enough to be drawn
// as a polyline: the segment is halved, and each half again, until the image of every
// piece's midpoint lies within kTolerance view units of the piece's chord. A piece that has
// not settled at kMaxDepth halvings is a jump (a pole, a value that is not finite, a branch
// cut) and the image goes on with a move there, so no chord crosses the view where the true
// curve does not. Pieces whose image stays wholly outside the view are not refined. A piece
// is accepted only when its quarter points agree with the chords through the midpoint too: a
// single midpoint can fall on the chord of a curve that winds, or be a pole's stand-in value.
class ImageRefiner {
  public:
    static constexpr double kTolerance = 1.5;
    static constexpr int kMaxDepth = 12;

    // One point of the image after the start: where it comes from, where it lies (in the
    // true coordinates of the receiving plane) and whether it is reached by a move.
    struct Step {
        CGPoint z;
        CGPoint w;
        bool move = false;
    };
    using Map = std::function<CGPoint(CGPoint)>;

    // `toView` places a w in the receiving plane's view, whose extent is `bounds`.
    ImageRefiner(Map f, Map toView, CGRect bounds);

    // Evaluations of f still allowed; once spent, pieces are drawn as plain chords, as
    // without refinement.
    void setBudget(long long evaluations) { budget_ = evaluations; }
    void setBounds(CGRect bounds) { bounds_ = bounds; }
    // Called when a new line or path starts: the view may have moved since the last segment.
    void forgetLast() { haveLast_ = false; }
    long long budget() const { return budget_; }

    // Appends the image of z0 -> z1, w0 = f(z0) and w1 = f(z1) being known, ending at w1
    // unless w1 is not finite (then the pen is left up). `before`, when given, is the view
    // position of the sample as far before z0 as z1 is after it: where the second difference
    // of the three shows the image nearly straight, no evaluation is needed at all.
    void refine(CGPoint z0, CGPoint w0, CGPoint z1, CGPoint w1, std::vector<Step>& out,
                const CGPoint* before = nullptr);
    // The view position of w0 in the last refine.
    CGPoint startView() const { return startView_; }

  private:
    struct Sample {
        double t;
        CGPoint z;
        CGPoint w;
        CGPoint v;
    };

    Sample sampleAt(double t);
    void piece(const Sample& a, const Sample& b, int depth, std::vector<Step>& out);
    void put(const Sample& b, bool connect, std::vector<Step>& out);
    bool missesView(CGPoint p, CGPoint q) const;

    Map f_;
    Map toView_;
    CGRect bounds_;
    long long budget_ = 0;
    CGPoint z0_;
    CGPoint z1_;
    bool penUp_ = false;
    CGPoint startView_;
    CGPoint lastW_;
    CGPoint lastView_;
    bool haveLast_ = false;
};

}  // namespace zw
