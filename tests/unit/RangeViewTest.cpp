// The range plane: image paths arriving point by point, its readout of f at the pointer, and
// the one action it refuses.
#include <gtest/gtest.h>

#include <vector>

#include "engine/ComplexFunctions.h"
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

TEST_F(RangeViewTest, DrawingOnTheRangeIsRefusedEveryTimeWithoutEffect) {
    AlertScript alerts;
    FakeSender item("Allow Drawing", 0);
    app.range->needsCompleteRedraw = false;
    app.range->toggleAllowDrawing_(&item);
    app.range->toggleAllowDrawing_(&item);
    ASSERT_EQ(alerts.count(), 2u);
    for (const AlertRequest& r : alerts.requests) {
        EXPECT_EQ(r.title, "Unimplemented feature");
        EXPECT_EQ(r.message, "Drawing on range is not yet implemented.");
        EXPECT_EQ(r.defaultButton, "OK");
        EXPECT_EQ(r.alternateButton, "");
        EXPECT_EQ(r.otherButton, "");
    }
    EXPECT_EQ(item.state(), 0);
    EXPECT_TRUE(item.stateHistory.empty());
    EXPECT_FALSE(app.range->needsCompleteRedraw);
    EXPECT_TRUE(app.range->paths.empty());
}

}  // namespace
}  // namespace zw
