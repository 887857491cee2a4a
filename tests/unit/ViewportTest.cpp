// The viewport as a value: the two mappings between true and view coordinates, and every
// change of it together with the transform that keeps each stored point on its true point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "planes/Viewport.h"
#include "support/Printers.h"

namespace zw {
namespace {

// Odd and even sizes, scale factors at both ends of the range, translations near and far.
const std::vector<Viewport> kViewports = {
    {1.0f, {0, 0}, 400, 300},           {2.0f, {37.25, -120.5}, 401, 301},
    {0.25f, {-1000.5, 2048}, 1, 1},     {0x1p40f, {-3.5e6, 7.75e5}, 640, 481},
    {0x1p-90f, {12.5, -0.125}, 799, 2}, {Viewport::kMaxScaleFactor, {0, 0}, 400, 300},
};

// Short binary fractions, as many view units from the origin at every scale: with power-of-two
// scale factors nothing on the way rounds.
std::vector<CGPoint> truePointsFor(const Viewport& v) {
    std::vector<CGPoint> points;
    const double perFactor = 1.0 / static_cast<double>(v.scaleFactor);
    for (const CGPoint z :
         {CGPoint{0, 0}, CGPoint{1, -1}, CGPoint{-0.5, 0.25}, CGPoint{3.75, 1024}}) {
        points.push_back({z.x * perFactor, z.y * perFactor});
    }
    return points;
}
const std::vector<CGPoint> kViewPoints = {{0, 0}, {200, 150}, {10.5, 290.25}, {-64, 1000}};

std::string describe(const Viewport& v) {
    return "scale " + std::to_string(v.scaleFactor) + " translation (" +
           std::to_string(v.translation.x) + ", " + std::to_string(v.translation.y) + ") size " +
           std::to_string(v.viewWidth) + " x " + std::to_string(v.viewHeight);
}

// The change moves every stored view point to where the new viewport shows the true point the
// old one showed there.
void expectKeepsTruePoints(const Viewport& before, const Viewport::Change& change) {
    for (const CGPoint q : kViewPoints) {
        const CGPoint moved = change.move.transformPoint(q);
        const CGPoint expected = change.viewport.toView(before.toTrue(q));
        // What rounds is the way through true coordinates, at the size of the numbers on it.
        const double tolerance =
            1e-12 * std::max({1.0, std::fabs(expected.x), std::fabs(expected.y),
                              std::fabs(before.translation.x), std::fabs(before.translation.y),
                              std::fabs(change.viewport.translation.x),
                              std::fabs(change.viewport.translation.y)});
        EXPECT_NEAR(moved.x, expected.x, tolerance) << describe(before) << " at " << q.x;
        EXPECT_NEAR(moved.y, expected.y, tolerance) << describe(before) << " at " << q.y;
    }
}

TEST(ViewportTest, MapsTruePointsAboutTheWholeUnitCentreAndBack) {
    for (const Viewport& v : kViewports) {
        // The centre is half the size in whole units, and the origin sits translation from it.
        EXPECT_EQ(v.centre(), (CGPoint{static_cast<double>(v.viewWidth / 2),
                                       static_cast<double>(v.viewHeight / 2)}));
        EXPECT_EQ(v.toView({0, 0}), v.origin()) << describe(v);
        EXPECT_EQ(v.toTrue(v.origin()), (CGPoint{0, 0})) << describe(v);
        for (const CGPoint z : truePointsFor(v)) {
            EXPECT_EQ(v.toTrue(v.toView(z)), z) << describe(v);
        }
    }
    // 100 times the factor is formed in single precision, as the factor is kept.
    const Viewport odd{1.1f, {0, 0}, 400, 300};
    EXPECT_EQ(odd.pixelsPerUnit(), static_cast<double>(100.0f * 1.1f));
    EXPECT_NE(odd.pixelsPerUnit(), 100.0 * static_cast<double>(1.1f));
    // No flip: up in the view is up in the plane.
    EXPECT_EQ(kViewports[0].toView({1, 1}), (CGPoint{300, 250}));
}

TEST(ViewportTest, ZoomsKeepThePointUnderThePointerAndMoveEveryPointWithIt) {
    for (const Viewport& v : kViewports) {
        for (const float factor : {2.0f, 0.5f}) {
            for (const CGPoint p : kViewPoints) {
                const std::optional<Viewport::Change> change = v.zoomedAbout(p, factor);
                if (!change) {
                    EXPECT_EQ(v.scaleFactor,
                              factor > 1 ? Viewport::kMaxScaleFactor : Viewport::kMinScaleFactor);
                    continue;
                }
                EXPECT_EQ(change->viewport.scaleFactor, v.scaleFactor * factor);
                EXPECT_EQ(change->viewport.toTrue(p), v.toTrue(p)) << describe(v);
                EXPECT_EQ(change->move.transformPoint(p), p);
                expectKeepsTruePoints(v, *change);
            }
            // The zoom items zoom about the centre, whose true point stays.
            const std::optional<Viewport::Change> centred = v.zoomedAboutCentre(factor);
            ASSERT_EQ(centred.has_value(), v.zoomedAbout(v.centre(), factor).has_value());
            if (centred) {
                EXPECT_EQ(centred->viewport.toTrue(v.centre()), v.toTrue(v.centre()));
                EXPECT_EQ(centred->viewport.translation,
                          v.zoomedAbout(v.centre(), factor)->viewport.translation);
                expectKeepsTruePoints(v, *centred);
            }
        }
    }
}

TEST(ViewportTest, PanResizeAndResetMoveEveryPointWithThePlane) {
    for (const Viewport& v : kViewports) {
        const Viewport::Change pan = v.panned(-37.5, 100);
        EXPECT_EQ(pan.viewport.translation,
                  (CGPoint{v.translation.x - 37.5, v.translation.y + 100}));
        EXPECT_EQ(pan.viewport.origin(), (CGPoint{v.origin().x - 37.5, v.origin().y + 100}));
        expectKeepsTruePoints(v, pan);

        // The true point at the centre stays there, whether the change is odd or even.
        for (const auto& [w, h] : {std::pair{v.viewWidth + 1, v.viewHeight + 2},
                                   std::pair{v.viewWidth + 17, std::max(1, v.viewHeight - 3)}}) {
            const Viewport::Change resize = v.resized(w, h);
            EXPECT_EQ(resize.viewport.viewWidth, w);
            EXPECT_EQ(resize.viewport.viewHeight, h);
            EXPECT_EQ(resize.viewport.toTrue(resize.viewport.centre()), v.toTrue(v.centre()))
                << describe(v);
            expectKeepsTruePoints(v, resize);
        }

        const Viewport::Change reset = v.reset();
        EXPECT_EQ(reset.viewport.scaleFactor, 1.0f);
        EXPECT_EQ(reset.viewport.origin(), v.centre());
        expectKeepsTruePoints(v, reset);
    }
}

TEST(ViewportTest, CentresOnATruePointWithAPositiveZeroAtTheOrigin) {
    for (const Viewport& v : kViewports) {
        for (const CGPoint z : truePointsFor(v)) {
            const Viewport c = v.centredOn(z);
            EXPECT_EQ(c.toTrue(c.centre()), z) << describe(v);
            EXPECT_EQ(c.scaleFactor, v.scaleFactor);
        }
        // A plane centred on the origin writes 0, not -0, into a session.
        EXPECT_FALSE(std::signbit(v.centredOn({0, 0}).translation.x));
        EXPECT_FALSE(std::signbit(v.centredOn({0, 0}).translation.y));
    }
}

// A search in the plane looks there: the view and `margin` view units beyond each of its edges.
TEST(ViewportTest, TheRegionAroundTheViewReachesItsMarginBeyondEachEdge) {
    for (const Viewport& v : kViewports) {
        for (const double margin : {0.0, 8.0, 40.0}) {
            const CGRect r = v.regionAround(margin);
            const CGPoint low = v.toView(r.origin);
            const CGPoint high = v.toView({r.origin.x + r.size.width, r.origin.y + r.size.height});
            const double right = v.viewWidth + margin;
            const double bottom = v.viewHeight + margin;
            EXPECT_NEAR(low.x, -margin, 1e-3) << describe(v);
            EXPECT_NEAR(low.y, -margin, 1e-3) << describe(v);
            EXPECT_NEAR(high.x, right, 1e-3) << describe(v);
            EXPECT_NEAR(high.y, bottom, 1e-3) << describe(v);
        }
    }
}

TEST(ViewportTest, TheScaleFactorStaysWithinItsBounds) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double factor;
        bool allowed;
    } cases[] = {{0x1p-100, true},
                 {0x1p100, true},
                 {1.0, true},
                 {0x1p-101, false},
                 {0x1p101, false},
                 {0.0, false},
                 {-1.0, false},
                 {inf, false},
                 {-inf, false},
                 {std::nan(""), false},
                 {0x1.0000001p100, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(Viewport::allowsScaleFactor(c.factor), c.allowed) << c.factor;
    }
    // A zoom that would pass a bound does not happen; the other way is open.
    const Viewport top{Viewport::kMaxScaleFactor, {12, -7}, 400, 300};
    EXPECT_FALSE(top.zoomedAbout({30, 40}, 2.0f));
    EXPECT_FALSE(top.zoomedAboutCentre(2.0f));
    EXPECT_EQ(top.zoomedAboutCentre(0.5f)->viewport.scaleFactor, 0x1p99f);
    const Viewport bottom{Viewport::kMinScaleFactor, {12, -7}, 400, 300};
    EXPECT_FALSE(bottom.zoomedAbout({30, 40}, 0.5f));
    EXPECT_FALSE(bottom.zoomedAboutCentre(0.5f));
    EXPECT_EQ(bottom.zoomedAbout({30, 40}, 2.0f)->viewport.scaleFactor, 0x1p-99f);
}

}  // namespace
}  // namespace zw
