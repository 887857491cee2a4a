// The path store every plane has: removal and restoration, clearing, colours, the display
// toggle, and the two kinds of drawing pass with the readout that ends each of them. The range
// plane uses the store as it is, so it stands in for the base here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeColorPanel.h"
#include "support/FakeHost.h"
#include "support/FakeSender.h"
#include "support/LogCapture.h"
#include "support/PathPoints.h"
#include "support/Printers.h"
#include "support/RecordingCanvas.h"
#include "views/RangeView.h"

namespace zw {
namespace {

using test::CanvasOp;
using test::FakeColorPanel;
using test::FakeHost;
using test::FakeSender;
using test::LogCapture;
using test::pointsOf;
using test::RecordingCanvas;

class PathStoreTest : public ::testing::Test {
  protected:
    PathStoreTest() : host({400, 300}), view(&host, {{0, 0}, {400, 300}}) { view.awakeFromNib(); }

    Path* addPath(CGPoint from, CGPoint to) {
        view.startNewPathAt(from);
        view.addNewPointAt(to);
        return view.paths.back().get();
    }

    RecordingCanvas draw() {
        RecordingCanvas canvas;
        view.drawRect(canvas, host.bounds());
        return canvas;
    }

    FakeColorPanel panel;
    FakeHost host;
    RangeView view;
};

// The last three operations of every pass: erase the old readout, clear the new text's box,
// draw the text.
void expectReadout(const RecordingCanvas& canvas, const std::string& text, CGRect erased) {
    ASSERT_GE(canvas.ops.size(), 3u);
    const CanvasOp& erase = canvas.ops[canvas.ops.size() - 3];
    const CanvasOp& box = canvas.ops[canvas.ops.size() - 2];
    const CanvasOp& drawn = canvas.ops.back();
    EXPECT_TRUE(erase.isFillRect());
    EXPECT_EQ(erase.color, Color::whiteColor());
    EXPECT_EQ(erase.rect, erased);
    EXPECT_TRUE(box.isFillRect());
    EXPECT_EQ(box.color, Color::whiteColor());
    EXPECT_EQ(box.rect, (CGRect{{0, 0}, RecordingCanvas::measure(text, TextAttributes{})}));
    ASSERT_TRUE(drawn.isText());
    EXPECT_EQ(drawn.text, text);
    EXPECT_EQ(drawn.point, (CGPoint{2, 2}));
    EXPECT_TRUE(drawn.attributes.isDefault());
}

TEST_F(PathStoreTest, RemovingFromAnEmptyPlaneLogsAndChangesNothing) {
    LogCapture log;
    view.needsCompleteRedraw = false;
    host.resetDisplayRequests();
    view.removeLastPath(nullptr);
    EXPECT_EQ(log.lines,
              std::vector<std::string>{"Attempt made to remove path when none was present."});
    EXPECT_TRUE(view.paths.empty());
    EXPECT_TRUE(view.removedPaths.empty());
    EXPECT_EQ(view.path, nullptr);
    EXPECT_FALSE(view.needsCompleteRedraw);
    EXPECT_EQ(host.needsDisplayCalls, 0u);
}

TEST_F(PathStoreTest, RemovalsAndRestorationsPairUpLastInFirstOut) {
    Path* a = addPath({0, 0}, {1, 0});
    Path* b = addPath({0, 0}, {0, 1});
    Path* c = addPath({0, 0}, {-1, 0});
    view.removeLastPath(nullptr);
    view.removeLastPath(nullptr);
    ASSERT_EQ(view.paths.size(), 1u);
    ASSERT_EQ(view.removedPaths.size(), 2u);
    EXPECT_EQ(view.removedPaths[0].get(), c);
    EXPECT_EQ(view.removedPaths[1].get(), b);
    // The current path is a fresh empty one that belongs to no list.
    ASSERT_NE(view.path, nullptr);
    EXPECT_EQ(view.path->elementCount(), 0u);
    EXPECT_NE(view.path, a);

    view.needsCompleteRedraw = false;
    host.resetDisplayRequests();
    view.restoreLastPath();
    EXPECT_TRUE(view.needsCompleteRedraw);
    EXPECT_GE(host.needsDisplayCalls, 1u);
    view.restoreLastPath();
    ASSERT_EQ(view.paths.size(), 3u);
    EXPECT_EQ(view.paths[0].get(), a);
    EXPECT_EQ(view.paths[1].get(), b);
    EXPECT_EQ(view.paths[2].get(), c);
    EXPECT_TRUE(view.removedPaths.empty());

    // Nothing left to restore: nothing happens.
    view.needsCompleteRedraw = false;
    view.restoreLastPath();
    EXPECT_EQ(view.paths.size(), 3u);
    EXPECT_FALSE(view.needsCompleteRedraw);
}

TEST_F(PathStoreTest, ClearForgetsAllPathsButKeepsTheGrid) {
    FakeSender grid;
    view.showRangeGrid(&grid);
    const std::size_t gridlines = view.gridlines.size();
    ASSERT_GT(gridlines, 0u);
    addPath({0, 0}, {1, 1});
    addPath({0, 0}, {1, -1});
    view.removeLastPath(nullptr);
    draw();

    view.clear(nullptr);
    EXPECT_TRUE(view.paths.empty());
    EXPECT_TRUE(view.removedPaths.empty());
    EXPECT_EQ(view.gridlines.size(), gridlines);
    ASSERT_NE(view.path, nullptr);
    EXPECT_EQ(view.path->elementCount(), 0u);
    EXPECT_TRUE(view.needsCompleteRedraw);

    draw();
    const RecordingCanvas incremental = draw();
    EXPECT_TRUE(incremental.strokes().empty());
}

TEST_F(PathStoreTest, ACompletePassPaintsTheLayersInOrder) {
    FakeSender grid;
    view.showRangeGrid(&grid);
    view.setColorRed(nullptr);
    Path* p1 = addPath({0.5, 0.5}, {1, 1});
    view.setColorBlue(nullptr);
    Path* p2 = addPath({-0.5, 0.5}, {-1, 1});
    view.startNewTransformedGridlineAt({0, 0.25});
    view.addNewPointToTransformedGridlineAt({1, 0.25});
    ASSERT_TRUE(view.needsCompleteRedraw);

    const RecordingCanvas canvas = draw();
    EXPECT_FALSE(view.needsCompleteRedraw);
    const std::vector<CanvasOp>& ops = canvas.ops;
    std::size_t i = 0;
    ASSERT_TRUE(ops[i].isFillRect());
    EXPECT_EQ(ops[i].color, Color::whiteColor());
    EXPECT_EQ(ops[i].rect, (CGRect{{0, 0}, {400, 300}}));
    ++i;
    // Axes, ticks, labels, paths, the plane's grid, then the images of the other grid.
    std::vector<std::vector<CGPoint>> strokes = {pointsOf(*view.xaxis), pointsOf(*view.yaxis)};
    for (const auto& t : view.axesTickMarks) {
        strokes.push_back(pointsOf(*t));
    }
    for (; i < 1 + strokes.size(); ++i) {
        ASSERT_TRUE(ops[i].isStroke()) << i;
        EXPECT_EQ(ops[i].points, strokes[i - 1]) << i;
    }
    for (const AxisLabel& l : view.axesLabels) {
        ASSERT_TRUE(ops[i].isText());
        EXPECT_EQ(ops[i].text, l.label);
        EXPECT_EQ(ops[i].point, l.point);
        EXPECT_EQ(ops[i].attributes.fontFamily, "Helvetica");
        EXPECT_EQ(ops[i].attributes.pointSize, 10.0);
        ++i;
    }
    ASSERT_TRUE(ops[i].isStroke());
    EXPECT_EQ(ops[i].points, pointsOf(*p1));
    EXPECT_EQ(ops[i].color, Color::redColor());
    ++i;
    EXPECT_EQ(ops[i].points, pointsOf(*p2));
    EXPECT_EQ(ops[i].color, Color::blueColor());
    ++i;
    for (const auto& g : view.gridlines) {
        ASSERT_TRUE(ops[i].isStroke());
        EXPECT_EQ(ops[i].points, pointsOf(*g));
        EXPECT_EQ(ops[i].lineWidth, 0.5);
        EXPECT_EQ(ops[i].dash.size(), 3u);
        ++i;
    }
    ASSERT_TRUE(ops[i].isStroke());
    EXPECT_EQ(ops[i].points, pointsOf(*view.transformedGridlines[0]));
    EXPECT_EQ(ops[i].lineWidth, 0.1);
    ++i;
    EXPECT_EQ(ops.size(), i + 3);
    expectReadout(canvas, "0.000, 0.000", {{0, 0}, {85, 17}});
}

TEST_F(PathStoreTest, AnIncrementalPassStrokesOnlyTheNewestSegment) {
    view.setColorGreen(nullptr);
    view.startNewPathAt({0, 0});
    view.addNewPointAt({0.5, 0});
    draw();
    view.addNewPointAt({0.5, 0.5});
    ASSERT_FALSE(view.needsCompleteRedraw);
    const RecordingCanvas canvas = draw();
    ASSERT_EQ(canvas.strokes().size(), 1u);
    const CanvasOp& segment = *canvas.strokes()[0];
    EXPECT_EQ(segment.points, (std::vector<CGPoint>{{250, 150}, {250, 200}}));
    EXPECT_EQ(segment.color, Color::greenColor());
    EXPECT_EQ(segment.lineWidth, 1.0);
    EXPECT_EQ(canvas.ops.size(), 4u);
    EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Kind::StrokePath);
}

TEST_F(PathStoreTest, AnIncrementalPassWithNoCurrentPathOnlyRefreshesTheReadout) {
    draw();
    ASSERT_EQ(view.path, nullptr);
    const RecordingCanvas canvas = draw();
    EXPECT_EQ(canvas.ops.size(), 3u);
    expectReadout(canvas, "0.000, 0.000", {{0, 0}, {77, 17}});
}

TEST_F(PathStoreTest, TheReadoutErasesThePreviousTextsBoxWidenedByFive) {
    const RecordingCanvas first = draw();
    // The box made at creation, 80 by 15, widened by 5 and raised to cover the text drawn at
    // (2, 2).
    expectReadout(first, "0.000, 0.000", {{0, 0}, {85, 17}});

    view.setTransformedCoords({0.5, -2});
    expectReadout(draw(), "0.500, -2.000", {{0, 0}, {77, 17}});
    view.setTransformedCoords({-1234.5, 0.0625});
    expectReadout(draw(), "-1234.500, 0.062", {{0, 0}, {83, 17}});
    // Shorter again: the longer text's box is erased, so none of it remains.
    view.setTransformedCoords({1, 1});
    expectReadout(draw(), "1.000, 1.000", {{0, 0}, {101, 17}});
    EXPECT_EQ(view.coordsRect, (CGRect{{0, 0}, {72, 15}}));
    EXPECT_EQ(view.oldCoordsRect, (CGRect{{0, 0}, {101, 17}}));
}

TEST_F(PathStoreTest, ColoursApplyToPathsStartedAfterwardsOnly) {
    EXPECT_EQ(view.pathColor, Color::blackColor());
    Path* black = addPath({0, 0}, {1, 0});
    view.setColorRed(nullptr);
    EXPECT_EQ(view.pathColor, Color::redColor());
    EXPECT_EQ(black->color, Color::blackColor());
    Path* red = addPath({0, 0}, {0, 1});
    EXPECT_EQ(red->color, Color::redColor());
    view.setColorBlue(nullptr);
    EXPECT_EQ(view.pathColor, Color::blueColor());
    view.setColorGreen(nullptr);
    EXPECT_EQ(view.pathColor, Color::greenColor());
    view.setColorBlack(nullptr);
    EXPECT_EQ(view.pathColor, Color::blackColor());

    view.needsCompleteRedraw = true;
    const RecordingCanvas canvas = draw();
    std::vector<Color> pathColours;
    for (const CanvasOp* op : canvas.strokes()) {
        if (op->points == pointsOf(*black) || op->points == pointsOf(*red)) {
            pathColours.push_back(op->color);
        }
    }
    EXPECT_EQ(pathColours, (std::vector<Color>{Color::blackColor(), Color::redColor()}));
}

TEST_F(PathStoreTest, AColourPickedInThePanelGoesToThePlaneThatOpenedItLast) {
    FakeHost otherHost({400, 300});
    RangeView other(&otherHost, {{0, 0}, {400, 300}});
    other.awakeFromNib();
    EXPECT_EQ(view.colorPanel, &panel);

    view.setColorOther(nullptr);
    EXPECT_EQ(panel.orderFrontCalls, 1u);
    const Color teal = Color::colorWithDeviceRed(0, 0.5, 0.5, 1);
    panel.pick(teal);
    EXPECT_EQ(view.pathColor, teal);

    other.setColorOther(nullptr);
    const Color grey = Color::colorWithDeviceWhite(0.3, 1);
    panel.pick(grey);
    EXPECT_EQ(other.pathColor, grey);
    EXPECT_EQ(view.pathColor, teal);
}

TEST_F(PathStoreTest, TheDisplayToggleFollowsTheItemsStateNotTheFlag) {
    bool flag = true;
    FakeSender off("Option", 0);
    view.needsCompleteRedraw = false;
    view.axesTickMarks.clear();
    host.resetDisplayRequests();
    view.toggleDisplayOption(&off, flag);
    EXPECT_TRUE(flag);
    EXPECT_EQ(off.state(), 1);
    EXPECT_TRUE(view.needsCompleteRedraw);
    EXPECT_GE(host.needsDisplayCalls, 1u);
    EXPECT_FALSE(view.axesTickMarks.empty());

    bool other = false;
    FakeSender on("Option", 1);
    view.toggleDisplayOption(&on, other);
    EXPECT_FALSE(other);
    EXPECT_EQ(on.state(), 0);

    // A mixed state counts as on.
    bool mixedFlag = true;
    FakeSender mixed("Option", -1);
    view.toggleDisplayOption(&mixed, mixedFlag);
    EXPECT_FALSE(mixedFlag);
    EXPECT_EQ(mixed.state(), 0);
}

}  // namespace
}  // namespace zw
