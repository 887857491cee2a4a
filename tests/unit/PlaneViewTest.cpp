// The viewport of a plane: the two coordinate mappings, panning keys, zoom and resize, and how
// each of them moves the stored paths so that every point stays on its true point.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "planes/PlaneView.h"
#include "platform/AffineTransform.h"
#include "platform/Events.h"
#include "support/FakeHost.h"
#include "support/FakeSender.h"
#include "support/PathPoints.h"
#include "support/Printers.h"
#include "views/RangeView.h"

namespace zw {
namespace {

using test::FakeHost;
using test::pointsOf;

// A plane on its own, without a controller: its paths are put in at true points the way the
// controller hands them to the range.
class PlaneViewTest : public ::testing::Test {
  protected:
    explicit PlaneViewTest(CGSize size = {400, 300})
        : host(size), view(&host, CGRect{{0, 0}, size}) {
        view.awakeFromNib();
    }

    // Adds a path through the given true points; returns it.
    Path* addPath(const std::vector<CGPoint>& truePoints) {
        view.startNewPathAt(truePoints.front());
        for (std::size_t i = 1; i < truePoints.size(); ++i) {
            view.addNewPointAt(truePoints[i]);
        }
        return view.paths.back().get();
    }

    // Every stored point is where the mapping now puts the true point it was drawn at.
    void expectOnTruePoints(const Path& path, const std::vector<CGPoint>& truePoints) {
        ASSERT_EQ(path.elementCount(), truePoints.size());
        for (std::size_t i = 0; i < truePoints.size(); ++i) {
            const CGPoint expected = view.trueCoordinatesToViewCoordinates(truePoints[i]);
            EXPECT_NEAR(path.elementAtIndex(i).point.x, expected.x, 1e-9) << i;
            EXPECT_NEAR(path.elementAtIndex(i).point.y, expected.y, 1e-9) << i;
        }
    }

    void press(std::u16string key) { view.keyDown(KeyEvent{std::move(key)}); }

    FakeHost host;
    RangeView view;
};

class OddWidthPlaneTest : public PlaneViewTest {
  protected:
    OddWidthPlaneTest() : PlaneViewTest({401, 300}) {}
};

TEST_F(OddWidthPlaneTest, MapsTruePointsAboutTheWholeUnitCentre) {
    EXPECT_EQ(view.viewWidth, 401);
    EXPECT_EQ(view.viewHeight, 300);
    EXPECT_EQ(view.scaleFactor, 1.0f);
    EXPECT_EQ(view.trueCoordinatesToViewCoordinates({1, -1}), (CGPoint{300, 50}));
    EXPECT_EQ(view.viewCoordinatesToTrueCoordinates({200, 150}), (CGPoint{0, 0}));
    // No flip: a larger view y is a larger imaginary part.
    EXPECT_GT(view.viewCoordinatesToTrueCoordinates({200, 250}).y, 0);
}

TEST_F(PlaneViewTest, ConversionsAreInverseAtAnyScaleAndTranslation) {
    for (const float scale : {1.0f, 4.0f, 0.125f, 0x1p-40f, 0x1p40f}) {
        for (const CGPoint t : {CGPoint{0, 0}, CGPoint{-300, 1200}, CGPoint{37.25, -0.5}}) {
            view.scaleFactor = scale;
            view.translation = t;
            for (const CGPoint p : {CGPoint{0, 0}, CGPoint{123.5, -77}, CGPoint{400, 300}}) {
                const CGPoint back =
                    view.trueCoordinatesToViewCoordinates(view.viewCoordinatesToTrueCoordinates(p));
                EXPECT_NEAR(back.x, p.x, 1e-9 * (1 + std::abs(t.x)));
                EXPECT_NEAR(back.y, p.y, 1e-9 * (1 + std::abs(t.y)));
            }
        }
    }
}

TEST_F(PlaneViewTest, ScaleFactorTimesHundredIsFormedInSinglePrecision) {
    view.scaleFactor = 1.1f;
    const double k = static_cast<double>(100.0f * 1.1f);
    ASSERT_NE(k, 100.0 * static_cast<double>(1.1f));
    EXPECT_EQ(view.trueCoordinatesToViewCoordinates({1, 0}).x, 200.0 + k);
    EXPECT_EQ(view.viewCoordinatesToTrueCoordinates({530, 150}).x, 330 / k);
    EXPECT_EQ(k, 110.0);
}

TEST_F(PlaneViewTest, ZoomScalesStoredPathsAboutTheCentreAndKeepsTheCentresTruePoint) {
    view.translation = {37.25, -120.5};
    view.constructAxes();
    const std::vector<CGPoint> truePoints = {{0.5, 0.25}, {-1, 2}, {3, -0.75}};
    Path* p = addPath(truePoints);
    const std::vector<CGPoint> before = pointsOf(*p);
    const CGPoint centre{200, 150};
    const CGPoint centreTrue = view.viewCoordinatesToTrueCoordinates(centre);

    view.zoomIn(nullptr);
    EXPECT_EQ(view.scaleFactor, 2.0f);
    EXPECT_EQ(view.translation, (CGPoint{74.5, -241}));
    EXPECT_EQ(view.viewCoordinatesToTrueCoordinates(centre), centreTrue);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_DOUBLE_EQ(p->elementAtIndex(i).point.x, centre.x + 2 * (before[i].x - centre.x));
        EXPECT_DOUBLE_EQ(p->elementAtIndex(i).point.y, centre.y + 2 * (before[i].y - centre.y));
    }
    expectOnTruePoints(*p, truePoints);
    EXPECT_TRUE(view.needsCompleteRedraw);

    view.zoomOut(nullptr);
    view.zoomOut(nullptr);
    EXPECT_EQ(view.scaleFactor, 0.5f);
    expectOnTruePoints(*p, truePoints);
    view.zoomIn(nullptr);
    // Powers of two: back exactly where it started.
    EXPECT_EQ(view.scaleFactor, 1.0f);
    EXPECT_EQ(view.translation, (CGPoint{37.25, -120.5}));
    EXPECT_EQ(pointsOf(*p), before);
}

TEST_F(PlaneViewTest, ZoomRequestsACompleteRedrawAndRebuildsTheAxes) {
    view.needsCompleteRedraw = false;
    host.resetDisplayRequests();
    view.axesTickMarks.clear();
    view.zoomIn(nullptr);
    EXPECT_TRUE(view.needsCompleteRedraw);
    EXPECT_GE(host.needsDisplayCalls, 1u);
    EXPECT_FALSE(view.axesTickMarks.empty());
}

TEST_F(PlaneViewTest, ZoomStopsAtTheScaleLimitsWithoutChangingAnything) {
    view.translation = {100, -50};
    Path* p = addPath({{0.25, 0.5}, {1, 1}});
    for (int i = 0; i < 100; ++i) {
        view.zoomIn(nullptr);
    }
    EXPECT_EQ(view.scaleFactor, PlaneView::kMaxScaleFactor);
    const CGPoint translation = view.translation;
    const std::vector<CGPoint> points = pointsOf(*p);
    view.zoomIn(nullptr);
    EXPECT_EQ(view.scaleFactor, PlaneView::kMaxScaleFactor);
    EXPECT_EQ(view.translation, translation);
    EXPECT_EQ(pointsOf(*p), points);

    for (int i = 0; i < 200; ++i) {
        view.zoomOut(nullptr);
    }
    EXPECT_EQ(view.scaleFactor, PlaneView::kMinScaleFactor);
    const CGPoint small = view.translation;
    const std::vector<CGPoint> smallPoints = pointsOf(*p);
    view.zoomOut(nullptr);
    EXPECT_EQ(view.scaleFactor, PlaneView::kMinScaleFactor);
    EXPECT_EQ(view.translation, small);
    EXPECT_EQ(pointsOf(*p), smallPoints);

    // And the way back is open.
    for (int i = 0; i < 100; ++i) {
        view.zoomIn(nullptr);
    }
    EXPECT_EQ(view.scaleFactor, 1.0f);
    EXPECT_EQ(view.translation, (CGPoint{100, -50}));
}

TEST_F(PlaneViewTest, PanningKeysMoveTheViewByAHundredUnits) {
    struct Case {
        std::u16string key;
        CGPoint shift;
    };
    const std::vector<Case> cases = {
        {u"4", {100, 0}},  {std::u16string(1, kLeftArrowFunctionKey), {100, 0}},
        {u"6", {-100, 0}}, {std::u16string(1, kRightArrowFunctionKey), {-100, 0}},
        {u"2", {0, 100}},  {std::u16string(1, kDownArrowFunctionKey), {0, 100}},
        {u"8", {0, -100}}, {std::u16string(1, kUpArrowFunctionKey), {0, -100}},
    };
    view.zoomIn(nullptr);  // the step is the same whatever the zoom
    const std::vector<CGPoint> truePoints = {{0.5, 0.5}, {-1, 0.25}};
    Path* p = addPath(truePoints);
    for (const Case& c : cases) {
        const CGPoint t = view.translation;
        const std::vector<CGPoint> before = pointsOf(*p);
        view.needsCompleteRedraw = false;
        host.resetDisplayRequests();
        press(c.key);
        EXPECT_EQ(view.translation, (CGPoint{t.x + c.shift.x, t.y + c.shift.y}));
        EXPECT_EQ(p->elementAtIndex(0).point,
                  (CGPoint{before[0].x + c.shift.x, before[0].y + c.shift.y}));
        expectOnTruePoints(*p, truePoints);
        EXPECT_TRUE(view.needsCompleteRedraw);
        EXPECT_GE(host.needsDisplayCalls, 1u);
    }
    EXPECT_TRUE(host.sheets.empty());
}

TEST_F(PlaneViewTest, PanningLeftLowersTheTrueCoordinateUnderTheCentre) {
    view.zoomOut(nullptr);
    const double before = view.viewCoordinatesToTrueCoordinates({200, 150}).x;
    press(u"4");
    EXPECT_DOUBLE_EQ(view.viewCoordinatesToTrueCoordinates({200, 150}).x, before - 1 / 0.5);
}

TEST_F(PlaneViewTest, AnyOtherKeyShowsTheSheetAndStillRedrawsInFull) {
    Path* p = addPath({{0.5, 0.5}, {1, 1}});
    const std::vector<CGPoint> points = pointsOf(*p);
    int sheets = 0;
    for (const std::u16string key : {u"a", u"44", u"5", u" ", u""}) {
        view.needsCompleteRedraw = false;
        view.axesTickMarks.clear();
        host.resetDisplayRequests();
        press(key);
        ++sheets;
        ASSERT_EQ(host.sheets.size(), static_cast<std::size_t>(sheets));
        const test::AlertSheet& sheet = host.sheets.back();
        EXPECT_EQ(sheet.title, "Unrecogonised key");
        EXPECT_EQ(sheet.defaultButton, "OK");
        EXPECT_EQ(sheet.alternateButton, "");
        EXPECT_EQ(sheet.otherButton, "");
        EXPECT_EQ(sheet.message,
                  "Use the cursor keys or the '2', '4', '6', '8' keys on the numerical keypad "
                  "to move around.");
        EXPECT_EQ(view.translation, (CGPoint{0, 0}));
        EXPECT_EQ(pointsOf(*p), points);
        EXPECT_TRUE(view.needsCompleteRedraw);
        EXPECT_GE(host.needsDisplayCalls, 1u);
        EXPECT_FALSE(view.axesTickMarks.empty());
    }
}

TEST_F(PlaneViewTest, GrowingTheWindowShiftsPathsByHalfTheChange) {
    ASSERT_EQ(host.delegate, &view);
    Path* p = addPath({{0.5, 0.5}, {1, -1}});
    const std::vector<CGPoint> before = pointsOf(*p);
    view.needsCompleteRedraw = false;
    const CGSize taken = view.windowWillResize(&host, {440, 320});
    EXPECT_EQ(taken, (CGSize{440, 320}));
    EXPECT_EQ(view.xshift, 20.0f);
    EXPECT_EQ(view.yshift, 10.0f);
    EXPECT_EQ(view.viewWidth, 440);
    EXPECT_EQ(view.viewHeight, 320);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(p->elementAtIndex(i).point, (CGPoint{before[i].x + 20, before[i].y + 10}));
    }
    EXPECT_TRUE(view.needsCompleteRedraw);
    expectOnTruePoints(*p, {{0.5, 0.5}, {1, -1}});
    // The x axis was rebuilt for the new width.
    EXPECT_EQ(view.xaxis->elementAtIndex(1).point, (CGPoint{440, 160}));
}

TEST_F(PlaneViewTest, ShrinkingByAnOddAmountTruncatesTheSize) {
    view.windowWillResize(&host, {395, 300});
    EXPECT_EQ(view.xshift, -2.5f);
    EXPECT_EQ(view.viewWidth, 395);
    host.frame = {395, 300};
    view.windowWillResize(&host, {390.5, 300});
    EXPECT_EQ(view.xshift, -2.25f);
    EXPECT_EQ(view.viewWidth, 390);
}

TEST_F(PlaneViewTest, AWindowOnePixelTallerLeavesTheRealAxisPathOnTheAxisThroughZooms) {
    Path* p = addPath({{-1, 0}, {1, 0}});
    host.resizeTo({400, 301});
    for (int i = 0; i < 6; ++i) {
        view.zoomIn(nullptr);
    }
    const double axisY = view.trueCoordinatesToViewCoordinates({0, 0}).y;
    EXPECT_EQ(p->elementAtIndex(0).point.y, axisY);
    EXPECT_EQ(p->elementAtIndex(1).point.y, axisY);
}

// Seeded random sequences of odd and even resizes and zooms, paths kept and removed: every
// stored point must stay where its true point is shown.
TEST_F(PlaneViewTest, RandomResizesAndZoomsKeepEveryPathOnItsTruePoints) {
    const std::vector<CGPoint> kept = {{0, 0}, {1, 0}, {-1.5, 0.25}, {0.01, -0.99}};
    const std::vector<CGPoint> removed = {{0.3, -0.7}, {-2, 1}};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        view.clear(nullptr);
        Path* k = addPath(kept);
        Path* r = addPath(removed);
        view.removeLastPath(nullptr);
        std::mt19937 random(seed);
        auto within = [&random](int lo, int hi) {
            return std::uniform_int_distribution<int>(lo, hi)(random);
        };
        for (int step = 0; step < 60; ++step) {
            switch (within(0, 3)) {
                case 0:
                case 1:
                    host.resizeTo(
                        {static_cast<double>(within(1, 901)), static_cast<double>(within(1, 701))});
                    break;
                case 2:
                    if (view.scaleFactor < 256.0f) {
                        view.zoomIn(nullptr);
                    }
                    break;
                default:
                    if (view.scaleFactor > 1.0f / 256.0f) {
                        view.zoomOut(nullptr);
                    }
                    break;
            }
            for (const auto& [path, points] : {std::pair{k, kept}, std::pair{r, removed}}) {
                for (std::size_t i = 0; i < points.size(); ++i) {
                    const CGPoint want = view.trueCoordinatesToViewCoordinates(points[i]);
                    const CGPoint got = path->elementAtIndex(i).point;
                    ASSERT_NEAR(got.x, want.x, 1e-6) << "step " << step << ", point " << i;
                    ASSERT_NEAR(got.y, want.y, 1e-6) << "step " << step << ", point " << i;
                }
            }
        }
    }
}

TEST_F(PlaneViewTest, RemovedPathsFollowTheViewportAndComeBackInPlace) {
    const std::vector<CGPoint> kept = {{0.5, 0.5}, {1, 1}};
    const std::vector<CGPoint> removed = {{-0.5, 0.25}, {-1, -1}};
    addPath(kept);
    Path* r = addPath(removed);
    view.removeLastPath(nullptr);
    ASSERT_EQ(view.removedPaths.size(), 1u);

    press(u"4");
    view.zoomIn(nullptr);
    host.frame = {400, 300};
    host.resizeTo({460, 280});
    press(u"8");

    view.restoreLastPath();
    ASSERT_EQ(view.paths.size(), 2u);
    EXPECT_EQ(view.paths.back().get(), r);
    expectOnTruePoints(*view.paths[0], kept);
    expectOnTruePoints(*r, removed);
}

TEST_F(PlaneViewTest, ShiftPathsByMovesOnlyThePathsAndAsksForNoRedraw) {
    test::FakeSender gridItem;
    view.showRangeGrid(&gridItem);
    ASSERT_FALSE(view.gridlines.empty());
    addPath({{0, 0}, {1, 0}});
    const std::vector<CGPoint> gridBefore = pointsOf(*view.gridlines.front());
    const std::vector<CGPoint> axisBefore = pointsOf(*view.xaxis);
    view.needsCompleteRedraw = false;
    host.resetDisplayRequests();
    AffineTransform t;
    t.translateXBy(7, -3);
    view.shiftPathsBy(t);
    EXPECT_EQ(view.paths[0]->elementAtIndex(0).point, (CGPoint{207, 147}));
    EXPECT_EQ(pointsOf(*view.gridlines.front()), gridBefore);
    EXPECT_EQ(pointsOf(*view.xaxis), axisBefore);
    EXPECT_TRUE(view.needsCompleteRedraw);
    EXPECT_EQ(host.needsDisplayCalls, 0u);
}

}  // namespace
}  // namespace zw
