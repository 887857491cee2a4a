// The range plane: image paths arriving point by point, its readout of f at the pointer, and
// paths drawn in it with their preimages on every branch.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include <vector>

#include "engine/ComplexFunctions.h"
#include "platform/Alerts.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/PathPoints.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AlertScript;
using test::AppHarness;
using test::CanvasOp;
using test::FakeSender;
using test::pointsOf;
using test::RecordingCanvas;

class RangeViewTest : public ::testing::Test {
  protected:
    AppHarness app;
};

TEST_F(RangeViewTest, StartsWithTheDomainsGridMappedButNoGridOfItsOwn) {
    EXPECT_FALSE(app.range->showGridlines);
    EXPECT_TRUE(app.range->gridlines.empty());
    EXPECT_TRUE(app.range->showTransformedGridlines);
    EXPECT_TRUE(app.range->shouldShowTransformedGridlines());
    EXPECT_EQ(app.range->transformedGridlines.size(), 14u);
    EXPECT_EQ(app.range->pathColor, Color::blackColor());
    EXPECT_EQ(app.range->colorPanel, &app.colorPanel);
    EXPECT_TRUE(app.range->needsCompleteRedraw);
}

TEST_F(RangeViewTest, TheFirstReadoutShowsZeros) {
    const RecordingCanvas canvas = app.drawRange();
    ASSERT_EQ(canvas.texts().size(), 1 + app.range->axesLabels.size());
    EXPECT_EQ(canvas.ops.back().text, "0.000, 0.000");
    EXPECT_EQ(canvas.ops[canvas.ops.size() - 3].rect, (CGRect{{0, 0}, {85, 17}}));
}

TEST_F(RangeViewTest, AnImagePathStartsQuietlyAndShowsItsFirstSegmentIncrementally) {
    app.drawRange();
    app.rangeHost.resetDisplayRequests();
    app.range->startNewPathAt({0.5, 0.5});
    ASSERT_EQ(app.range->paths.size(), 1u);
    EXPECT_EQ(pointsOf(*app.range->paths[0]), (std::vector<CGPoint>{{250, 200}}));
    EXPECT_EQ(app.range->path, app.range->paths[0].get());
    EXPECT_EQ(app.range->pathStart, (CGPoint{250, 200}));
    EXPECT_EQ(app.range->paths[0]->lineWidth(), 1.0);
    EXPECT_EQ(app.rangeHost.needsDisplayCalls, 0u);
    EXPECT_TRUE(app.drawRange().strokes().empty());

    app.range->addNewPointAt({-1, 0});
    EXPECT_EQ(app.range->pathPoint, (CGPoint{100, 150}));
    EXPECT_GE(app.rangeHost.needsDisplayCalls, 1u);
    EXPECT_FALSE(app.range->needsCompleteRedraw);
    const RecordingCanvas canvas = app.drawRange();
    ASSERT_EQ(canvas.strokes().size(), 1u);
    EXPECT_EQ(canvas.strokes()[0]->points, (std::vector<CGPoint>{{250, 200}, {100, 150}}));
    EXPECT_EQ(canvas.ops.size(), 4u);
}

TEST_F(RangeViewTest, TheReadoutShowsTheValueItIsGivenWithItsSign) {
    app.drawRange();
    app.rangeHost.resetDisplayRequests();
    app.range->setTransformedCoords({-12.5, 3});
    EXPECT_EQ(app.range->coords, (CGPoint{-12.5, 3}));
    EXPECT_GE(app.rangeHost.needsDisplayCalls, 1u);
    RecordingCanvas canvas = app.drawRange();
    EXPECT_EQ(canvas.ops.size(), 3u);
    EXPECT_EQ(canvas.ops.back().text, "-12.500, 3.000");
    EXPECT_EQ(canvas.ops[1].rect, (CGRect{{0, 0}, {84, 15}}));

    app.range->setTransformedCoords({0, 0});
    canvas = app.drawRange();
    EXPECT_EQ(canvas.ops[0].rect, (CGRect{{0, 0}, {89, 17}}));
    EXPECT_EQ(canvas.ops[1].rect, (CGRect{{0, 0}, {72, 15}}));
    EXPECT_EQ(canvas.ops[2].text, "0.000, 0.000");
}

TEST_F(RangeViewTest, ImagePathsKeepTheirColourAndTheShapeOfTheOldFunction) {
    app.range->setColorGreen(nullptr);
    app.drawPath({{200, 150}, {250, 150}, {250, 200}});
    const std::vector<CGPoint> drawn = pointsOf(*app.range->paths[0]);
    const std::vector<CGPoint> gridImage = pointsOf(*app.range->transformedGridlines[1]);
    app.range->setColorRed(nullptr);
    FakeSender square("Square");
    app.controller.setFunction(&square);
    EXPECT_EQ(pointsOf(*app.range->paths[0]), drawn);
    EXPECT_EQ(app.range->paths[0]->color, Color::greenColor());
    EXPECT_NE(pointsOf(*app.range->transformedGridlines[1]), gridImage);
    app.drawPath({{200, 150}, {250, 150}});
    EXPECT_EQ(app.range->paths[1]->color, Color::redColor());
}

TEST_F(RangeViewTest, ACompletePassDrawsBothGridsOverTheImagePaths) {
    FakeSender grid("Range Grid", 0);
    app.range->showRangeGrid(&grid);
    app.drawPath({{200, 150}, {250, 150}});
    const RangeView& r = *app.range;
    std::vector<std::vector<CGPoint>> tail;
    for (const PathList* list : {&r.paths, &r.gridlines, &r.transformedGridlines}) {
        for (const auto& p : *list) {
            tail.push_back(pointsOf(*p));
        }
    }
    const RecordingCanvas canvas = app.drawRange();
    const std::vector<const CanvasOp*> strokes = canvas.strokes();
    ASSERT_GE(strokes.size(), tail.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        EXPECT_EQ(strokes[strokes.size() - tail.size() + i]->points, tail[i]) << i;
    }
    EXPECT_TRUE(canvas.ops[canvas.ops.size() - 4].isStroke());
}

// Square under the harness's planes: 100 view units a unit, the origin at (200, 150).
class RangeDrawingTest : public RangeViewTest {
  protected:
    RangeDrawingTest() {
        FakeSender square("Square");
        app.controller.setFunction(&square);
        FakeSender allow("Allow Drawing", 0);
        app.range->toggleAllowDrawing_(&allow);
    }
    static CGPoint at(CGPoint w) { return {200 + 100 * w.x, 150 + 100 * w.y}; }
    // A drag in the range through these true points of w.
    void drawInRange(const std::vector<CGPoint>& ws) {
        app.range->mouseDown(MouseEvent{at(ws.front())});
        for (std::size_t i = 1; i < ws.size(); ++i) {
            app.range->mouseDragged(MouseEvent{at(ws[i])});
        }
        app.range->mouseUp(MouseEvent{at(ws.back())});
    }
    // The ends of each preimage path of the range's k-th path, in true coordinates.
    std::vector<std::pair<CGPoint, CGPoint>> ends(std::size_t k) const {
        std::vector<std::pair<CGPoint, CGPoint>> out;
        for (const auto& branch : app.domain->preimagePaths.at(k)) {
            const std::vector<CGPoint> p = pointsOf(*branch);
            out.push_back({app.domain->viewCoordinatesToTrueCoordinates(p.front()),
                           app.domain->viewCoordinatesToTrueCoordinates(p.back())});
        }
        return out;
    }
    static std::vector<CGPoint> circle(CGPoint centre, double radius, int steps) {
        std::vector<CGPoint> ws;
        for (int k = 0; k <= steps; ++k) {
            const double t = 2 * 3.141592653589793 * k / steps;
            ws.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
        }
        return ws;
    }
};

// The two points are a and b, in either order.
bool arePair(const std::pair<CGPoint, CGPoint>& points, CGPoint a, CGPoint b) {
    const auto near = [](CGPoint p, CGPoint q) { return std::hypot(p.x - q.x, p.y - q.y) < 1e-9; };
    return (near(points.first, a) && near(points.second, b)) ||
           (near(points.first, b) && near(points.second, a));
}

TEST_F(RangeViewTest, DrawingInTheRangeIsOffUntilAllowedAndTheItemKeepsItsMark) {
    AlertScript alerts;
    FakeSender item("Allow Drawing", 0);
    EXPECT_FALSE(app.range->allowDrawing);
    app.range->mouseDown(MouseEvent{{100, 100}});
    app.range->mouseDragged(MouseEvent{{150, 120}});
    app.range->mouseUp(MouseEvent{{150, 120}});
    EXPECT_TRUE(app.range->drawnPaths.empty());
    EXPECT_TRUE(app.domain->preimagePaths.empty());
    EXPECT_FALSE(app.undo().canUndo());

    app.range->toggleAllowDrawing_(&item);
    EXPECT_TRUE(app.range->allowDrawing);
    EXPECT_EQ(item.state(), 1);
    app.range->toggleAllowDrawing_(&item);
    EXPECT_FALSE(app.range->allowDrawing);
    EXPECT_EQ(item.state(), 0);
    EXPECT_EQ(alerts.count(), 0u);
}

TEST_F(RangeDrawingTest, ACircleRoundOneHasItsPreimagesRoundBothSquareRootsInTheirColours) {
    app.range->setColorRed(nullptr);
    app.domain->setColorBlue(nullptr);
    drawInRange(circle({1, 0}, 0.2, 40));
    ASSERT_EQ(app.range->drawnPaths.size(), 1u);
    EXPECT_EQ(app.range->drawnPaths[0]->color, Color::redColor());
    EXPECT_EQ(app.range->drawnPaths[0]->elementCount(), 41u);
    EXPECT_TRUE(app.range->paths.empty()) << "a drawn path is no image";
    ASSERT_EQ(app.domain->preimagePaths.size(), 1u);
    const PathList& branches = app.domain->preimagePaths[0];
    ASSERT_EQ(branches.size(), 2u);
    for (const auto& branch : branches) {
        EXPECT_EQ(branch->color, Color::blueColor());
        EXPECT_EQ(branch->elementCount(), 41u);
        // Every point on the branch is a square root of a point of the circle, near ±1.
        const std::vector<CGPoint> zs = pointsOf(*branch);
        const CGPoint first = app.domain->viewCoordinatesToTrueCoordinates(zs.front());
        for (const CGPoint p : zs) {
            const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates(p);
            const CGPoint w = square(z);
            EXPECT_NEAR(std::hypot(w.x - 1, w.y), 0.2, 1e-9);
            EXPECT_LT(std::hypot(z.x - first.x, z.y - first.y), 0.25) << "stays on its branch";
        }
    }
    const auto e = ends(0);
    EXPECT_GT(e[0].first.x * e[1].first.x, -2) << "one round 1, one round -1";
    EXPECT_LT(e[0].first.x * e[1].first.x, 0);
    // The drawn path and its preimages: one undo step, by name.
    EXPECT_EQ(app.undo().undoCount(), 1u);
    EXPECT_EQ(app.undo().undoActionName(), "Path Drawn in Range");
}

TEST_F(RangeDrawingTest, StraightThroughTheCriticalValueTheTwoBranchesMeetAndPart) {
    // w from -1 to 1 along the real axis, through w = 0 exactly: ±i meet at 0 and go on to ±1.
    std::vector<CGPoint> ws;
    for (int k = -20; k <= 20; ++k) {
        ws.push_back({k / 20.0, 0});
    }
    drawInRange(ws);
    ASSERT_EQ(app.domain->preimagePaths.size(), 1u);
    const auto e = ends(0);
    ASSERT_EQ(e.size(), 2u) << "two branches, not one broken into pieces";
    EXPECT_TRUE(arePair({e[0].first, e[1].first}, {0, 1}, {0, -1}));
    EXPECT_TRUE(arePair({e[0].second, e[1].second}, {1, 0}, {-1, 0}));
    for (const auto& branch : app.domain->preimagePaths[0]) {
        EXPECT_EQ(branch->elementCount(), ws.size()) << "each point of w on each branch";
    }
}

TEST_F(RangeDrawingTest, UndoRedoRemoveAndClearTakeAPathWithAllItsPreimages) {
    AlertScript alerts{kAlertDefaultReturn};
    app.drawPath({{300, 150}, {320, 160}});  // a domain path
    drawInRange(circle({1, 0}, 0.2, 12));    // then one in the range
    app.drawPath({{100, 150}, {120, 160}});  // then another in the domain
    drawInRange(circle({-1, 0}, 0.3, 12));   // and another in the range
    ASSERT_EQ(app.range->drawnPaths.size(), 2u);
    ASSERT_EQ(app.domain->preimagePaths.size(), 2u);
    const std::vector<CGPoint> newest = pointsOf(*app.domain->preimagePaths[1][0]);

    // Undo takes the newest whichever plane it was drawn in; redo brings it back as it was.
    app.controller.undo(nullptr);
    EXPECT_EQ(app.range->drawnPaths.size(), 1u);
    EXPECT_EQ(app.domain->preimagePaths.size(), 1u);
    EXPECT_EQ(app.domain->paths.size(), 2u);
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    EXPECT_EQ(app.undo().redoActionName(), "Path Drawn in Range");
    app.controller.redo(nullptr);
    ASSERT_EQ(app.domain->preimagePaths.size(), 2u);
    EXPECT_EQ(pointsOf(*app.domain->preimagePaths[1][0]), newest);
    EXPECT_EQ(app.undo().undoActionName(), "Path Drawn in Range");

    // Remove Last Path goes back through the history in the order drawn, and undoes in turn.
    const struct {
        std::size_t domainPaths, rangePaths;
    } after[] = {{2, 1}, {1, 1}, {1, 0}, {0, 0}};
    for (const auto& a : after) {
        app.controller.removeLastPath(nullptr);
        EXPECT_EQ(app.domain->paths.size(), a.domainPaths);
        EXPECT_EQ(app.range->paths.size(), a.domainPaths);
        EXPECT_EQ(app.range->drawnPaths.size(), a.rangePaths);
        EXPECT_EQ(app.domain->preimagePaths.size(), a.rangePaths);
    }
    for (int i = 0; i < 3; ++i) {
        app.controller.undo(nullptr);
    }
    EXPECT_EQ(app.domain->paths.size(), 2u);
    EXPECT_EQ(app.range->drawnPaths.size(), 1u);
    app.controller.undo(nullptr);
    EXPECT_EQ(app.range->drawnPaths.size(), 2u);
    EXPECT_EQ(pointsOf(*app.domain->preimagePaths[1][0]), newest);

    // A complete pass draws the drawn paths in the range and their preimages in the domain.
    const std::size_t domainStrokes = app.drawDomain().strokes().size();
    const std::size_t rangeStrokes = app.drawRange().strokes().size();
    app.controller.clearAll(nullptr);
    EXPECT_TRUE(app.range->drawnPaths.empty());
    EXPECT_TRUE(app.range->removedDrawnPaths.empty());
    EXPECT_TRUE(app.domain->preimagePaths.empty());
    EXPECT_TRUE(app.domain->removedPreimagePaths.empty());
    EXPECT_EQ(app.drawDomain().strokes().size(), domainStrokes - 2 - 4);
    EXPECT_EQ(app.drawRange().strokes().size(), rangeStrokes - 2 - 2);
}

TEST_F(RangeDrawingTest, WhileAPathIsDrawnInTheRangeTheHistoryStaysPut) {
    app.range->mouseDown(MouseEvent{at({1, 0.2})});
    app.range->mouseDragged(MouseEvent{at({1.1, 0.2})});
    EXPECT_FALSE(app.controller.canChangePathHistory());
    app.controller.removeLastPath(nullptr);
    EXPECT_EQ(app.range->drawnPaths.size(), 1u);
    // The new segments are drawn as they come, in both planes.
    app.drawDomain();
    app.drawRange();
    app.range->mouseDragged(MouseEvent{at({1.2, 0.3})});
    EXPECT_EQ(app.drawRange().strokes().size(), 1u);
    EXPECT_EQ(app.drawDomain().strokes().size(), 2u) << "one segment on each branch";
    app.range->mouseUp(MouseEvent{at({1.2, 0.3})});
    EXPECT_TRUE(app.controller.canChangePathHistory());
}

}  // namespace
}  // namespace zw
