// Moving about with the mouse: zoom about a point, pan by any vector (live, following the
// pointer, and in one step), and back to the first view. Every stored point must stay on the
// true point it was drawn at, as with the zoom items and the panning keys.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Events.h"
#include "support/AppHarness.h"
#include "support/FakeHost.h"
#include "support/PathPoints.h"
#include "support/Printers.h"
#include "views/RangeView.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeHost;
using test::pointsOf;

class NavigationTest : public ::testing::Test {
  protected:
    NavigationTest() : host({400, 300}), view(&host, CGRect{{0, 0}, {400, 300}}) {
        view.awakeFromNib();
    }

    Path* addPath(RangeView& plane, const std::vector<CGPoint>& truePoints) {
        plane.startNewPathAt(truePoints.front());
        for (std::size_t i = 1; i < truePoints.size(); ++i) {
            plane.addNewPointAt(truePoints[i]);
        }
        return plane.paths.back().get();
    }

    void expectOnTruePoints(const Path& path, const std::vector<CGPoint>& truePoints,
                            double tolerance = 1e-9) {
        ASSERT_EQ(path.elementCount(), truePoints.size());
        for (std::size_t i = 0; i < truePoints.size(); ++i) {
            const CGPoint expected = view.trueCoordinatesToViewCoordinates(truePoints[i]);
            EXPECT_NEAR(path.elementAtIndex(i).point.x, expected.x, tolerance) << i;
            EXPECT_NEAR(path.elementAtIndex(i).point.y, expected.y, tolerance) << i;
        }
    }

    FakeHost host;
    RangeView view;
    const std::vector<CGPoint> kept = {{0.5, 0.25}, {-1, 2}, {3, -0.75}};
    const std::vector<CGPoint> removed = {{-0.5, -0.5}, {0.75, 1.5}};
};

TEST_F(NavigationTest, ZoomAtKeepsThePointersTruePointAndMovesEveryPath) {
    view.translation = {37.25, -120.5};
    view.constructAxes();
    addPath(view, removed);
    view.removeLastPath(nullptr);
    Path* p = addPath(view, kept);
    const std::vector<CGPoint> before = pointsOf(*p);

    for (const CGPoint pointer : {CGPoint{10, 290}, CGPoint{333, 17}, CGPoint{200.5, 150.25}}) {
        const CGPoint underPointer = view.viewCoordinatesToTrueCoordinates(pointer);
        view.zoomAt(pointer, true);
        // Powers of two and short binary fractions: nothing rounds.
        EXPECT_EQ(view.viewCoordinatesToTrueCoordinates(pointer), underPointer);
        view.zoomAt(pointer, false);
        view.zoomAt(pointer, false);
        EXPECT_EQ(view.viewCoordinatesToTrueCoordinates(pointer), underPointer);
        view.zoomAt(pointer, true);
        EXPECT_EQ(view.scaleFactor, 1.0f);
        EXPECT_EQ(view.translation, (CGPoint{37.25, -120.5}));
        EXPECT_EQ(pointsOf(*p), before) << "in and out again puts every point back exactly";
    }

    const CGPoint pointer{50, 250};
    view.zoomAt(pointer, true);
    EXPECT_EQ(view.scaleFactor, 2.0f);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(p->elementAtIndex(i).point.x, pointer.x + 2 * (before[i].x - pointer.x));
        EXPECT_EQ(p->elementAtIndex(i).point.y, pointer.y + 2 * (before[i].y - pointer.y));
    }
    expectOnTruePoints(*p, kept);
    EXPECT_TRUE(view.needsCompleteRedraw);
    // The axes are rebuilt at the new origin.
    const CGPoint origin = view.trueCoordinatesToViewCoordinates({0, 0});
    EXPECT_EQ(view.yaxis->elementAtIndex(0).point.x, origin.x);
    EXPECT_EQ(view.xaxis->elementAtIndex(0).point.y, origin.y);
    // A removed path moved as well and comes back onto its true points.
    view.restoreLastPath();
    expectOnTruePoints(*view.paths.back(), removed);

    // A general point keeps its true point up to rounding.
    const CGPoint odd{123.456, 78.9};
    const CGPoint oddTrue = view.viewCoordinatesToTrueCoordinates(odd);
    view.zoomAt(odd, false);
    EXPECT_NEAR(view.viewCoordinatesToTrueCoordinates(odd).x, oddTrue.x, 1e-12);
    EXPECT_NEAR(view.viewCoordinatesToTrueCoordinates(odd).y, oddTrue.y, 1e-12);
}

TEST_F(NavigationTest, ZoomAtTheCentreIsTheZoomItem) {
    RangeView other(nullptr, CGRect{{0, 0}, {400, 300}});
    for (RangeView* plane : {&view, &other}) {
        plane->translation = {-75.5, 33};
        addPath(*plane, kept);
    }
    view.zoomAt({200, 150}, true);
    other.zoomIn(nullptr);
    EXPECT_EQ(view.translation, other.translation);
    EXPECT_EQ(pointsOf(*view.paths.back()), pointsOf(*other.paths.back()));
    view.zoomAt({200, 150}, false);
    view.zoomAt({200, 150}, false);
    other.zoomOut(nullptr);
    other.zoomOut(nullptr);
    EXPECT_EQ(view.scaleFactor, other.scaleFactor);
    EXPECT_EQ(view.translation, other.translation);
    EXPECT_EQ(pointsOf(*view.paths.back()), pointsOf(*other.paths.back()));
}

TEST_F(NavigationTest, ZoomAtStopsAtTheScaleLimits) {
    Path* p = addPath(view, kept);
    for (const auto& [limit, in] : {std::pair{PlaneView::kMaxScaleFactor, true},
                                    std::pair{PlaneView::kMinScaleFactor, false}}) {
        view.scaleFactor = limit;
        view.translation = {12, -7};
        const std::vector<CGPoint> before = pointsOf(*p);
        view.needsCompleteRedraw = false;
        view.zoomAt({30, 40}, in);
        EXPECT_EQ(view.scaleFactor, limit);
        EXPECT_EQ(view.translation, (CGPoint{12, -7}));
        EXPECT_EQ(pointsOf(*p), before);
        EXPECT_FALSE(view.needsCompleteRedraw);
        // The other way is open.
        view.zoomAt({30, 40}, !in);
        EXPECT_EQ(view.scaleFactor, in ? limit / 2 : limit * 2);
    }
    view.scaleFactor = 0x1p99f;
    view.zoomAt({30, 40}, true);
    EXPECT_EQ(view.scaleFactor, 0x1p100f);
}

TEST_F(NavigationTest, PanByMovesEverythingAsTheKeysDo) {
    RangeView keyed(nullptr, CGRect{{0, 0}, {400, 300}});
    for (RangeView* plane : {&view, &keyed}) {
        addPath(*plane, kept);
    }
    view.panBy(100, 0);
    keyed.keyDown(KeyEvent{u"4"});
    view.panBy(0, -100);
    keyed.keyDown(KeyEvent{u"8"});
    EXPECT_EQ(view.translation, keyed.translation);
    EXPECT_EQ(pointsOf(*view.paths.back()), pointsOf(*keyed.paths.back()));
    EXPECT_EQ(pointsOf(*view.xaxis), pointsOf(*keyed.xaxis));
    ASSERT_EQ(view.axesLabels.size(), keyed.axesLabels.size());
    for (std::size_t i = 0; i < view.axesLabels.size(); ++i) {
        EXPECT_EQ(view.axesLabels[i].point, keyed.axesLabels[i].point);
    }
    EXPECT_TRUE(host.sheets.empty()) << "a pan is no key";

    host.resetDisplayRequests();
    view.needsCompleteRedraw = false;
    view.panBy(-37.5, 12.25);
    EXPECT_EQ(view.translation, (CGPoint{62.5, -87.75}));
    expectOnTruePoints(*view.paths.back(), kept);
    EXPECT_TRUE(view.needsCompleteRedraw);
    EXPECT_GE(host.needsDisplayCalls, 1u);
}

TEST_F(NavigationTest, ResetViewGoesBackToTheFirstViewWithThePaths) {
    Path* p = addPath(view, kept);
    const std::vector<CGPoint> first = pointsOf(*p);
    addPath(view, removed);
    view.removeLastPath(nullptr);
    view.zoomAt({20, 30}, true);
    view.zoomAt({20, 30}, true);
    view.panBy(-250.5, 75);
    view.zoomAt({390, 10}, false);
    view.zoomAt({390, 10}, false);
    view.zoomAt({390, 10}, false);

    view.resetView(nullptr);
    EXPECT_EQ(view.scaleFactor, 1.0f);
    EXPECT_EQ(view.translation, (CGPoint{0, 0}));
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_NEAR(p->elementAtIndex(i).point.x, first[i].x, 1e-9);
        EXPECT_NEAR(p->elementAtIndex(i).point.y, first[i].y, 1e-9);
    }
    view.restoreLastPath();
    expectOnTruePoints(*view.paths.back(), removed);
    EXPECT_EQ(view.yaxis->elementAtIndex(0).point.x, 200.0);
    EXPECT_EQ(view.xaxis->elementAtIndex(0).point.y, 150.0);

    // From the far end of the zoom range, too.
    view.scaleFactor = PlaneView::kMinScaleFactor;
    view.translation = {1e6, -3};
    view.resetView(nullptr);
    EXPECT_EQ(view.scaleFactor, 1.0f);
    EXPECT_EQ(view.translation, (CGPoint{0, 0}));
}

// The domain, wired to the controller, shaded: a pan that follows the pointer moves the shading
// and the mapped gridlines as pictures and leaves the work through f to its end, where the
// result is that of one pan by the whole vector.
TEST(LivePanTest, MovesMappedLayersLiveAndRebuildsThemOnceAtTheEnd) {
    AppHarness live;
    AppHarness once;
    for (AppHarness* app : {&live, &once}) {
        app->controller.transformations->setFunction("Invert");
        app->domain->showContours = true;
        app->domain->constructAxes();
        app->controller.toggleShowInverseImagesOfRangeGridlines(&app->inverseImagesItem);
        app->drawPath({{100, 100}, {150, 120}, {180, 60}});
        app->move({220, 140});
    }
    DomainView& d = *live.domain;
    const std::vector<ColoredRect> boxes = d.contours;
    const std::vector<CGPoint> image = pointsOf(*live.range->transformedGridlines.front());
    const std::vector<CGPoint> pulledBack = pointsOf(*d.inverseGridlines.front());
    const CGPoint readout = d.coords;

    const std::vector<CGPoint> steps = {{3, -2}, {10.5, 4}, {-1, 7.25}};
    CGPoint total{0, 0};
    for (const CGPoint step : steps) {
        d.livePanBy(step.x, step.y);
        total = {total.x + step.x, total.y + step.y};
        // The pointer moved with the plane: the readout keeps its true point.
        live.move({220 + total.x, 140 + total.y});
    }
    EXPECT_EQ(d.translation, total);
    ASSERT_EQ(d.contours.size(), boxes.size()) << "the shading moved, it was not rebuilt";
    EXPECT_EQ(d.contours[7].rect.origin,
              (CGPoint{boxes[7].rect.origin.x + total.x, boxes[7].rect.origin.y + total.y}));
    EXPECT_EQ(d.contours[7].color.red(), boxes[7].color.red());
    const std::vector<CGPoint> pulledNow = pointsOf(*d.inverseGridlines.front());
    EXPECT_EQ(pulledNow[3], (CGPoint{pulledBack[3].x + total.x, pulledBack[3].y + total.y}));
    EXPECT_EQ(pointsOf(*live.range->transformedGridlines.front()), image)
        << "the images of the domain's grid wait for the end";
    EXPECT_NEAR(d.coords.x, readout.x, 1e-12);
    EXPECT_NEAR(d.coords.y, readout.y, 1e-12);
    // The axes follow at once.
    EXPECT_EQ(d.yaxis->elementAtIndex(0).point.x, 200 + total.x);

    d.endLivePan();
    once.domain->panBy(total.x, total.y);
    EXPECT_EQ(d.translation, once.domain->translation);
    ASSERT_EQ(d.contours.size(), once.domain->contours.size());
    for (std::size_t i = 0; i < d.contours.size(); i += 97) {
        EXPECT_EQ(d.contours[i].rect.origin, once.domain->contours[i].rect.origin);
        EXPECT_EQ(d.contours[i].color.red(), once.domain->contours[i].color.red());
    }
    EXPECT_EQ(pointsOf(*live.range->transformedGridlines.front()),
              pointsOf(*once.range->transformedGridlines.front()));
    EXPECT_EQ(pointsOf(*d.paths.back()), pointsOf(*once.domain->paths.back()));
    EXPECT_EQ(d.gridlines.size(), once.domain->gridlines.size());
    EXPECT_EQ(d.inverseGridlines.size(), once.domain->inverseGridlines.size());
}

}  // namespace
}  // namespace zw
