// Following curves near poles: images of segments and grid lines that stay within a pixel and
// a half of the true curve, break with a move where f jumps, cost a bounded number of
// evaluations, and leave tame images as they were.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "app/ImageStream.h"
#include "engine/ComplexFunctions.h"
#include "support/AppHarness.h"
#include "support/RecordingCanvas.h"
#include "views/ImageRefiner.h"
#include "views/ShapeSampler.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;

double distanceToSegment(CGPoint p, CGPoint a, CGPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Every drawn segment of a path, as pairs of view points.
std::vector<std::pair<CGPoint, CGPoint>> drawnSegments(const Path& path) {
    std::vector<std::pair<CGPoint, CGPoint>> segments;
    const auto& e = path.elements();
    for (std::size_t i = 1; i < e.size(); ++i) {
        if (e[i].type == BezierPath::ElementType::LineTo) {
            segments.emplace_back(e[i - 1].point, e[i].point);
        }
    }
    return segments;
}

std::size_t moves(const Path& path) {
    std::size_t n = 0;
    for (const auto& e : path.elements()) {
        n += e.type == BezierPath::ElementType::MoveTo ? 1 : 0;
    }
    return n;
}

class FollowTest : public ::testing::Test {
  protected:
    FollowTest() : app({{400, 400}, {400, 400}, true}) {}
    void select(const std::string& title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }
    void followOn() {
        FakeSender item("Follow Curves Near Poles");
        app.controller.toggleFollowCurvesNearPoles(&item);
        ASSERT_TRUE(app.controller.followCurvesNearPoles);
    }
    // The closest any drawn segment of the newest image comes to the range's origin.
    double closestToOrigin() {
        const CGPoint origin = app.range->trueCoordinatesToViewCoordinates({0, 0});
        double closest = INFINITY;
        for (const auto& [a, b] : drawnSegments(*app.range->paths.back())) {
            closest = std::min(closest, distanceToSegment(origin, a, b));
        }
        return closest;
    }
    AppHarness app;
};

TEST_F(FollowTest, ACircleThroughAPoleBreaksWithAMoveAndNoChordCrossesTheOrigin) {
    // Under Invert the circle through 0 maps to the line Re w = 1; the sample at 0 itself
    // falls back to the engine's last good point. Under Hyperbolic Plane To Disk the circle
    // through -i maps to the line Re w = -1, and -i falls back to the origin.
    struct Case {
        const char* function;
        std::vector<CGPoint> points;
    };
    std::vector<CGPoint> invertCircle;
    std::vector<CGPoint> hyperbolicCircle;
    for (int k = 0; k <= 40; ++k) {
        const double a = 6.283185307179586 * k / 40;
        invertCircle.push_back({0.5 + 0.5 * std::cos(a), 0.5 * std::sin(a)});
        hyperbolicCircle.push_back({0.5 * std::sin(a), -0.5 + 0.5 * std::cos(a)});
    }
    invertCircle[20] = {0.0, 0.0};
    hyperbolicCircle[20] = {0.0, -1.0};
    const Case cases[] = {{"Invert", invertCircle}, {"Hyperbolic Plane To Disk", hyperbolicCircle}};

    select("Hyperbolic Plane To Disk");
    app.domain->addExactPath(hyperbolicCircle);
    EXPECT_LT(closestToOrigin(), 5.0) << "without following, a chord runs into the fallback";

    followOn();
    for (const Case& c : cases) {
        select(c.function);
        app.domain->addExactPath(c.points);
        EXPECT_GE(closestToOrigin(), 50.0) << c.function;
        EXPECT_GE(moves(*app.range->paths.back()), 2u) << c.function << ": a move at the pole";
    }
}

// e^(1/z) has no value at 0, where the engine returns e^0 = 1. Coming from the left its image
// runs into 0; a followed image must not end that run with a chord to the stand-in 1, whether
// 0 is a point of the path, a sample of a grid line or a midpoint the refiner takes.
TEST_F(FollowTest, NoFollowedImageReachesTheStandInOfAnEssentialSingularity) {
    followOn();
    select("exp(1/z)");
    const CGPoint one = app.range->trueCoordinatesToViewCoordinates({1, 0});
    const auto reachesOne = [&one](const Path& path) {
        for (const auto& [a, b] : drawnSegments(path)) {
            if (std::hypot(a.x - one.x, a.y - one.y) < 2.0 ||
                std::hypot(b.x - one.x, b.y - one.y) < 2.0) {
                return true;
            }
        }
        return false;
    };
    const std::vector<std::vector<CGPoint>> paths = {
        {{-0.5, 0}, {0, 0}, {0.5, 0}},
        {{-0.5, 0}, {0.5, 0}},
        {{-0.3, 0}, {-0.01, 0}, {0, 0}},
    };
    for (const auto& points : paths) {
        app.domain->addExactPath(points);
        EXPECT_FALSE(reachesOne(*app.range->paths.back())) << points.size() << " points";
    }
    // The real axis is a grid line with a sample at 0; its image starts on the real axis.
    // (The imaginary axis maps onto the unit circle, through 1 itself.)
    int realAxes = 0;
    for (const auto& line : app.range->transformedGridlines) {
        if (line->elementAtIndex(0).point.y == one.y) {
            ++realAxes;
            EXPECT_FALSE(reachesOne(*line));
        }
    }
    EXPECT_GE(realAxes, 1);
    // Redrawing the images follows them the same way.
    app.controller.redrawImagesUnderCurrentFunction(nullptr);
    for (const auto& path : app.range->paths) {
        EXPECT_FALSE(reachesOne(*path));
    }
}

TEST(ImageRefiner, GridImagesOfExpOneOverZStayWithinTwoPixelsOfTheTrueCurve) {
    // The domain's grid of a 400 by 400 view at scale 1, mapped into a range of the same
    // size: every drawn chord that reaches the view is checked against f densely.
    const auto toView = [](CGPoint w) { return CGPoint{200 + 100 * w.x, 200 + 100 * w.y}; };
    const CGRect bounds{{0, 0}, {400, 400}};
    double worst = 0.0;
    std::size_t chords = 0;
    long long evaluations = 0;
    for (int line = -4; line <= 4; ++line) {
        for (bool horizontal : {true, false}) {
            const double at = line * 0.5;
            ImageRefiner refiner(expinv, toView, bounds);
            refiner.setBudget(1000000);
            for (int s = 0; s < 40; ++s) {
                const double u0 = -2 + s * 0.1, u1 = u0 + 0.1;
                const CGPoint z0 = horizontal ? CGPoint{u0, at} : CGPoint{at, u0};
                const CGPoint z1 = horizontal ? CGPoint{u1, at} : CGPoint{at, u1};
                std::vector<ImageRefiner::Step> steps;
                const long long before = refiner.budget();
                refiner.refine(z0, expinv(z0), z1, expinv(z1), steps);
                evaluations += before - refiner.budget();
                CGPoint fromZ = z0;
                CGPoint fromV = toView(expinv(z0));
                for (const auto& step : steps) {
                    const CGPoint v = toView(step.w);
                    if (!step.move &&
                        !(std::max(fromV.x, v.x) < 0 || std::min(fromV.x, v.x) > 400 ||
                          std::max(fromV.y, v.y) < 0 || std::min(fromV.y, v.y) > 400)) {
                        ++chords;
                        for (int k = 1; k < 64; ++k) {
                            const double t = k / 64.0;
                            const CGPoint z{fromZ.x + (step.z.x - fromZ.x) * t,
                                            fromZ.y + (step.z.y - fromZ.y) * t};
                            worst = std::max(worst, distanceToSegment(toView(expinv(z)), fromV, v));
                        }
                    }
                    fromZ = step.z;
                    fromV = v;
                }
            }
        }
    }
    EXPECT_GT(chords, 1000u);
    EXPECT_LT(worst, 2.0);
    EXPECT_LT(evaluations, 200000);
}

TEST_F(FollowTest, TamePathsUnderExponentiateLookAsBefore) {
    std::vector<CGPoint> points;
    for (int k = 0; k <= 60; ++k) {
        points.push_back({-1.2 + 0.04 * k, 0.8 * std::sin(0.1 * k)});
    }
    app.domain->addExactPath(points);
    const Path before = *app.range->paths.back();
    followOn();
    app.domain->addExactPath(points);
    const Path& after = *app.range->paths.back();
    EXPECT_EQ(moves(after), 1u);
    // Each polyline lies within 1.5 px of the other.
    auto within = [](const Path& a, const Path& b) {
        double worst = 0;
        for (const auto& e : a.elements()) {
            double best = INFINITY;
            for (const auto& [p, q] : drawnSegments(b)) {
                best = std::min(best, distanceToSegment(e.point, p, q));
            }
            worst = std::max(worst, best);
        }
        return worst;
    };
    EXPECT_LE(within(before, after), 1.5);
    EXPECT_LE(within(after, before), 1.5);
}

TEST(ImageRefiner, CostIsBoundedAndAnExhaustedBudgetStillEndsAtTheImage) {
    long long calls = 0;
    const auto counted = [&calls](CGPoint z) {
        ++calls;
        return expinv(z);
    };
    const auto toView = [](CGPoint w) { return CGPoint{200 + 100 * w.x, 200 + 100 * w.y}; };
    ImageRefiner refiner(counted, toView, {{0, 0}, {400, 400}});
    // Through the essential singularity at 0, where no depth settles.
    const CGPoint z0{0.0, -0.1}, z1{0.0, 0.1};
    refiner.setBudget(400);
    std::vector<ImageRefiner::Step> steps;
    refiner.refine(z0, expinv(z0), z1, expinv(z1), steps);
    EXPECT_LE(calls, 400);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().w, expinv(z1));
    // Never more than one evaluation per piece down to the depth limit.
    calls = 0;
    refiner.setBudget(1 << 20);
    steps.clear();
    refiner.refine(z0, expinv(z0), z1, expinv(z1), steps);
    EXPECT_LT(calls, 1 << ImageRefiner::kMaxDepth);
}

TEST_F(FollowTest, TheIncrementalPassDrawsEveryNewPieceButNotTheJump) {
    followOn();
    select("Invert");
    app.drawRange();  // the complete redraw after the toggle
    app.press({150, 200});
    app.drag({250, 200});  // through the pole at the view's centre
    test::RecordingCanvas canvas = app.drawRange();
    const auto strokes = canvas.strokes();
    ASSERT_FALSE(strokes.empty());
    const Path& image = *app.range->paths.back();
    EXPECT_GE(moves(image), 2u);
    std::size_t drawnPoints = 0;
    for (const auto* s : strokes) {
        drawnPoints += s->points.size();
    }
    // Every element after the first, save the segments ending at a move, was stroked.
    EXPECT_EQ(drawnPoints, image.elementCount());
}

// A stream over a refiner of its own, counting the evaluations of f and recording what reaches
// the sink.
struct StreamRig {
    StreamRig(const ImageRefiner::Map& f, ImageRefiner::Map toView, ImageStream::Spacing spacing,
              ImageStream::Budget budget)
        : refiner(
              [this, f](CGPoint z) {
                  ++calls;
                  return f(z);
              },
              std::move(toView), {}),
          stream(
              refiner,
              [] {
                  return CGRect{{0, 0}, {400, 400}};
              },
              [this](const ImageStream::Steps& steps) {
                  for (const ImageRefiner::Step& step : steps) {
                      points.push_back(step.w);
                      moves += step.move ? 1 : 0;
                  }
              },
              spacing, budget) {}
    long long calls = 0;
    std::vector<CGPoint> points;
    std::size_t moves = 0;
    ImageRefiner refiner;
    ImageStream stream;
};

CGPoint centred(CGPoint w) {
    return {200 + 100 * w.x, 200 + 100 * w.y};
}

TEST(ImageStream, APooledBudgetOnceSpentLeavesSegmentsUnrefinedAndAPerSegmentOneNever) {
    // Back and forth through the essential singularity of e^(1/z), where no piece settles.
    const CGPoint ends[] = {{0.0, -0.1}, {0.0, 0.1}};
    // The evaluations each of three segments spends, give or take the two samples a piece may
    // take beyond its share.
    const std::pair<ImageStream::Budget, std::array<long long, 3>> cases[] = {
        {ImageStream::Budget::Pooled, {400, 100, 0}},
        {ImageStream::Budget::PerSegment, {400, 400, 400}}};
    for (const auto& [budget, spent] : cases) {
        StreamRig rig(expinv, centred, ImageStream::Spacing::Uneven, budget);
        rig.stream.refill(500);
        rig.stream.start(ends[0], expinv(ends[0]));
        for (std::size_t k = 0; k < spent.size(); ++k) {
            const CGPoint z = ends[(k + 1) % 2];
            rig.calls = 0;
            rig.stream.follow(z, expinv(z));
            EXPECT_GE(rig.calls, spent[k]) << k;
            EXPECT_LE(rig.calls, spent[k] + 2) << k;
            // Spent or not, the image still ends at the segment's end.
            ASSERT_FALSE(rig.points.empty());
            EXPECT_EQ(rig.points.back(), expinv(z)) << k;
        }
    }
}

TEST(ImageStream, AFreshStartReusesNothingOfTheLineBefore) {
    double pan = 0.0;
    const auto toView = [&pan](CGPoint w) { return CGPoint{100 * w.x, 100 * w.y + pan}; };
    for (const auto spacing : {ImageStream::Spacing::Uneven, ImageStream::Spacing::Even}) {
        const bool even = spacing == ImageStream::Spacing::Even;
        pan = 0.0;
        StreamRig rig([](CGPoint z) { return z; }, toView, spacing,
                      ImageStream::Budget::PerSegment);
        // A straight line: an evenly spaced one predicts its second segment from the first.
        rig.stream.start({0.0, 0.0}, {0.0, 0.0});
        rig.stream.follow({0.1, 0.0}, {0.1, 0.0});
        rig.calls = 0;
        rig.stream.follow({0.2, 0.0}, {0.2, 0.0});
        EXPECT_EQ(rig.calls, even ? 0 : 1);
        // A new line in line with the old one is not predicted from it.
        rig.calls = 0;
        rig.stream.start({0.2, 0.0}, {0.2, 0.0});
        rig.stream.follow({0.3, 0.0}, {0.3, 0.0});
        EXPECT_EQ(rig.calls, 1) << even;
        // Nor is the old view position of its start used once the view has panned.
        pan = 300.0;
        rig.points.clear();
        rig.stream.start({0.3, 0.0}, {0.3, 0.0});
        rig.stream.follow({0.4, 0.0}, {0.4, 0.0});
        EXPECT_EQ(rig.points, (std::vector<CGPoint>{{0.4, 0.0}})) << even;
        EXPECT_EQ(rig.moves, 0u);
    }
}

TEST(ImageStream, TheSinkGetsTheRefinedPointsInOrderAndAMoveAtAPole) {
    // As z runs from -1 to 1, w.x runs up the parabola, and down either side of 1/x's pole.
    const ImageRefiner::Map parabola = [](CGPoint z) { return CGPoint{z.x, 3 * z.x * z.x}; };
    const ImageRefiner::Map reciprocal = [](CGPoint z) { return CGPoint{1 / z.x, 0.0}; };
    const std::pair<ImageRefiner::Map, double> cases[] = {{parabola, 1.0}, {reciprocal, -1.0}};
    for (const auto& [f, direction] : cases) {
        const bool pole = direction < 0;
        StreamRig rig(f, centred, ImageStream::Spacing::Uneven, ImageStream::Budget::PerSegment);
        rig.stream.start({-1.0, 0.0}, f({-1.0, 0.0}));
        rig.stream.follow({1.0, 0.0}, f({1.0, 0.0}));
        ASSERT_GT(rig.points.size(), 4u) << pole;
        EXPECT_EQ(rig.moves > 0, pole);
        EXPECT_EQ(rig.points.back(), f({1.0, 0.0})) << pole;
        std::size_t backwards = 0;
        CGPoint last = f({-1.0, 0.0});
        for (const CGPoint& w : rig.points) {
            backwards += (w.x - last.x) * direction <= 0 ? 1 : 0;
            last = w;
        }
        // Only the jump across the pole runs against the segment.
        EXPECT_EQ(backwards, pole ? 1u : 0u);
    }
}

}  // namespace
}  // namespace zw
