// Drawing paths in the domain with the mouse: each point goes through the function into the
// range and into the domain's own list of images; the history runs through the undo manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ComplexFunctions.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/PathPoints.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AppHarness;
using test::CanvasOp;
using test::FakeSender;
using test::LogCapture;
using test::pointsOf;
using test::RecordingCanvas;

class DomainViewTest : public ::testing::Test {
  protected:
    // The view positions, in a plane, of the images under the current function (exponentiate
    // at start-up) of domain view positions.
    CGPoint imageIn(const PlaneView& plane, CGPoint domainView) const {
        return plane.trueCoordinatesToViewCoordinates(
            exponentiate(app.domain->viewCoordinatesToTrueCoordinates(domainView)));
    }

    void expectLengthsInStep() const {
        EXPECT_EQ(app.domain->paths.size(), app.domain->transformedPathsShownInDomain.size());
        EXPECT_EQ(app.domain->removedPaths.size(),
                  app.domain->removedTransformedPathsShownInDomain.size());
    }

    AppHarness app;
};

TEST_F(DomainViewTest, AwakeFromNibAsksForMouseMovesAndBecomesTheWindowsDelegate) {
    EXPECT_TRUE(app.domainHost.acceptsMouseMovedEvents);
    EXPECT_EQ(app.domainHost.delegate, app.domain);
    EXPECT_EQ(app.rangeHost.delegate, app.range);
    EXPECT_FALSE(app.rangeHost.acceptsMouseMovedEvents);
    EXPECT_EQ(app.domain->colorPanel, &app.colorPanel);
    EXPECT_EQ(app.domain->pathColor, Color::blackColor());
    EXPECT_TRUE(app.domain->showGridlines);
    EXPECT_FALSE(app.domain->showContours);
    EXPECT_FALSE(app.domain->showArguments);
    EXPECT_FALSE(app.domain->highestResolution);
}

TEST_F(DomainViewTest, AClickLeavesOnePointPathsAndOneUndoEntryAndDrawsNothing) {
    app.drawDomain();
    app.drawRange();
    app.domainHost.resetDisplayRequests();
    app.rangeHost.resetDisplayRequests();

    app.press({250, 200});
    app.release({250, 200});

    ASSERT_EQ(app.domain->paths.size(), 1u);
    EXPECT_EQ(pointsOf(*app.domain->paths[0]), (std::vector<CGPoint>{{250, 200}}));
    EXPECT_EQ(app.domain->path, app.domain->paths[0].get());
    ASSERT_EQ(app.domain->transformedPathsShownInDomain.size(), 1u);
    EXPECT_EQ(pointsOf(*app.domain->transformedPathsShownInDomain[0]),
              (std::vector<CGPoint>{imageIn(*app.domain, {250, 200})}));
    EXPECT_EQ(app.domain->transformedPathShownInDomain,
              app.domain->transformedPathsShownInDomain[0].get());
    ASSERT_EQ(app.range->paths.size(), 1u);
    EXPECT_EQ(pointsOf(*app.range->paths[0]),
              (std::vector<CGPoint>{imageIn(*app.range, {250, 200})}));

    EXPECT_EQ(app.undo().undoCount(), 1u);
    EXPECT_EQ(app.undo().undoActionName(), "Last Path Drawn");
    EXPECT_EQ(app.domainHost.needsDisplayCalls, 0u);
    EXPECT_EQ(app.rangeHost.needsDisplayCalls, 0u);
    EXPECT_TRUE(app.drawDomain().strokes().empty());
    EXPECT_TRUE(app.drawRange().strokes().empty());
}

TEST_F(DomainViewTest, EachDragAddsOnePointEverywhereAndUpdatesBothReadouts) {
    app.press({200, 150});
    const std::vector<CGPoint> drags = {{210, 150}, {230, 170}, {260, 140}, {-50, 420}};
    for (std::size_t i = 0; i < drags.size(); ++i) {
        app.drag(drags[i]);
        const std::size_t n = i + 2;
        ASSERT_EQ(app.domain->paths[0]->elementCount(), n);
        ASSERT_EQ(app.range->paths[0]->elementCount(), n);
        ASSERT_EQ(app.domain->transformedPathsShownInDomain[0]->elementCount(), n);
        // Points outside the view are kept like any other.
        EXPECT_EQ(app.domain->paths[0]->elementAtIndex(n - 1).point, drags[i]);
        EXPECT_EQ(app.range->paths[0]->elementAtIndex(n - 1).point, imageIn(*app.range, drags[i]));
        EXPECT_EQ(app.domain->transformedPathsShownInDomain[0]->elementAtIndex(n - 1).point,
                  imageIn(*app.domain, drags[i]));
        const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates(drags[i]);
        EXPECT_EQ(app.domain->coords, z);
        EXPECT_EQ(app.domain->mousePosition, drags[i]);
        EXPECT_EQ(app.range->coords, exponentiate(z));
    }
    app.release({0, 0});
    // The release adds no point.
    EXPECT_EQ(app.domain->paths[0]->elementCount(), drags.size() + 1);
    EXPECT_EQ(app.undo().undoCount(), 1u);
}

TEST_F(DomainViewTest, DragsAskOnlyForIncrementalPasses) {
    app.press({200, 150});
    app.drag({220, 150});
    app.drawDomain();
    app.drawRange();
    app.domainHost.resetDisplayRequests();
    app.rangeHost.resetDisplayRequests();
    app.drag({240, 160});
    EXPECT_FALSE(app.domain->needsCompleteRedraw);
    EXPECT_FALSE(app.range->needsCompleteRedraw);
    EXPECT_GE(app.domainHost.needsDisplayCalls, 1u);
    EXPECT_GE(app.rangeHost.needsDisplayCalls, 1u);

    const RecordingCanvas domain = app.drawDomain();
    ASSERT_EQ(domain.strokes().size(), 1u);
    EXPECT_EQ(domain.strokes()[0]->points, (std::vector<CGPoint>{{220, 150}, {240, 160}}));
    const RecordingCanvas range = app.drawRange();
    ASSERT_EQ(range.strokes().size(), 1u);
    EXPECT_EQ(range.strokes()[0]->points, (std::vector<CGPoint>{imageIn(*app.range, {220, 150}),
                                                                imageIn(*app.range, {240, 160})}));
}

TEST_F(DomainViewTest, MouseMovesTrackTheReadoutsInBothPlanes) {
    app.move({300, 200});
    EXPECT_EQ(app.domain->mousePosition, (CGPoint{300, 200}));
    EXPECT_EQ(app.domain->coords, (CGPoint{1, 0.5}));
    EXPECT_EQ(app.range->coords, exponentiate({1, 0.5}));
    app.drawDomain();
    const RecordingCanvas canvas = app.drawDomain();
    ASSERT_EQ(canvas.texts().size(), 1u);
    EXPECT_EQ(canvas.texts()[0]->text, "1.000, 0.500");
    EXPECT_TRUE(canvas.strokes().empty());
}

TEST_F(DomainViewTest, WindowPositionsAreConvertedToViewPositions) {
    app.domainHost.windowOffset = {15, 40};
    app.press({215, 190});
    app.drag({265, 240});
    EXPECT_EQ(pointsOf(*app.domain->paths[0]), (std::vector<CGPoint>{{200, 150}, {250, 200}}));
    EXPECT_EQ(app.domain->coords, (CGPoint{0.5, 0.5}));
}

TEST_F(DomainViewTest, PathsAndImagesKeepTheColoursOfTheMomentTheyWereStarted) {
    app.domain->setColorRed(nullptr);
    app.range->setColorBlue(nullptr);
    app.drawPath({{200, 150}, {250, 150}});
    app.domain->setColorGreen(nullptr);
    app.range->setColorBlack(nullptr);
    app.drawPath({{200, 100}, {250, 100}});

    EXPECT_EQ(app.domain->paths[0]->color, Color::redColor());
    EXPECT_EQ(app.domain->transformedPathsShownInDomain[0]->color, Color::blueColor());
    EXPECT_EQ(app.range->paths[0]->color, Color::blueColor());
    EXPECT_EQ(app.domain->paths[1]->color, Color::greenColor());
    EXPECT_EQ(app.domain->transformedPathsShownInDomain[1]->color, Color::blackColor());
    EXPECT_EQ(app.range->paths[1]->color, Color::blackColor());
    for (const auto& p : app.domain->transformedPathsShownInDomain) {
        EXPECT_EQ(p->lineWidth(), 1.0);
        EXPECT_TRUE(p->lineDash().empty());
    }
}

TEST_F(DomainViewTest, UndoingAndRedoingRemoveAndRestoreInBothPlanes) {
    app.drawPath({{200, 150}, {250, 150}});
    app.drawPath({{200, 100}, {250, 100}});
    Path* second = app.domain->paths[1].get();
    Path* secondImage = app.domain->transformedPathsShownInDomain[1].get();
    Path* secondRange = app.range->paths[1].get();
    ASSERT_EQ(app.undo().undoCount(), 2u);

    LogCapture log;
    app.undo().undo();
    EXPECT_EQ(app.domain->paths.size(), 1u);
    EXPECT_EQ(app.range->paths.size(), 1u);
    expectLengthsInStep();
    EXPECT_EQ(app.undo().undoActionName(), "Last Path Drawn");
    EXPECT_EQ(app.undo().redoActionName(), "Last Path Drawn");
    EXPECT_EQ(
        log.startingWith("domain here: removeLastPath just added a path to removedPaths, ").size(),
        1u);
    EXPECT_TRUE(log.contains(
        "domain here: removeLastPath just added a path to removedPaths, (<Path: 2 elements>)"));

    app.undo().redo();
    ASSERT_EQ(app.domain->paths.size(), 2u);
    EXPECT_EQ(app.domain->paths[1].get(), second);
    EXPECT_EQ(app.domain->transformedPathsShownInDomain[1].get(), secondImage);
    EXPECT_EQ(app.range->paths[1].get(), secondRange);
    EXPECT_EQ(app.undo().undoCount(), 2u);
    EXPECT_EQ(app.undo().undoActionName(), "Last Path Drawn");
    EXPECT_FALSE(app.undo().canRedo());

    // Undo both, redo both: the same paths, in the same order.
    app.undo().undo();
    app.undo().undo();
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_TRUE(app.range->paths.empty());
    app.undo().redo();
    app.undo().redo();
    ASSERT_EQ(app.domain->paths.size(), 2u);
    EXPECT_EQ(app.domain->paths[1].get(), second);
    EXPECT_EQ(app.range->paths[1].get(), secondRange);
    expectLengthsInStep();
}

TEST_F(DomainViewTest, RemovingTwiceAndRestoringOnceBringsBackTheSecondNewest) {
    app.drawPath({{200, 150}, {250, 150}});
    app.drawPath({{200, 100}, {250, 100}});
    app.drawPath({{200, 50}, {250, 50}});
    Path* first = app.domain->paths[0].get();
    Path* second = app.domain->paths[1].get();
    Path* third = app.domain->paths[2].get();
    Path* secondImage = app.domain->transformedPathsShownInDomain[1].get();
    Path* thirdImage = app.domain->transformedPathsShownInDomain[2].get();

    LogCapture log;
    FakeSender item("Remove Last Path");
    app.controller.removeLastPath(&item);
    app.controller.removeLastPath(&item);
    expectLengthsInStep();
    app.undo().undo();
    ASSERT_EQ(app.domain->paths.size(), 2u);
    EXPECT_EQ(app.domain->paths[0].get(), first);
    EXPECT_EQ(app.domain->paths[1].get(), second);
    EXPECT_EQ(app.domain->transformedPathsShownInDomain[1].get(), secondImage);
    ASSERT_EQ(app.domain->removedPaths.size(), 1u);
    EXPECT_EQ(app.domain->removedPaths[0].get(), third);
    EXPECT_EQ(app.domain->removedTransformedPathsShownInDomain[0].get(), thirdImage);
    EXPECT_EQ(app.range->paths.size(), 2u);
    expectLengthsInStep();
}

TEST_F(DomainViewTest, RestoringTheOnlyPathGivesBackExactlyOnePathAndOneImage) {
    app.drawPath({{200, 150}, {250, 150}});
    LogCapture log;
    app.domain->removeLastPath(nullptr);
    app.domain->restoreLastPath();
    EXPECT_EQ(app.domain->paths.size(), 1u);
    EXPECT_EQ(app.domain->transformedPathsShownInDomain.size(), 1u);
    EXPECT_TRUE(app.domain->removedPaths.empty());
    EXPECT_TRUE(app.domain->removedTransformedPathsShownInDomain.empty());
}

TEST_F(DomainViewTest, RemovingFromAnEmptyDomainLogsAndLeavesItAlone) {
    LogCapture log;
    app.domain->needsCompleteRedraw = false;
    app.domainHost.resetDisplayRequests();
    app.domain->removeLastPath(nullptr);
    EXPECT_EQ(log.lines,
              std::vector<std::string>{"Attempt made to remove path when none was present."});
    EXPECT_FALSE(app.domain->needsCompleteRedraw);
    EXPECT_EQ(app.domainHost.needsDisplayCalls, 0u);
    EXPECT_EQ(app.domain->path, nullptr);
    EXPECT_EQ(app.domain->transformedPathShownInDomain, nullptr);
}

TEST_F(DomainViewTest, AfterClearOrRemovalMovingTheMouseRedrawsOnlyTheReadout) {
    app.controller.toggleShowTransformedPathsInDomain(nullptr);
    app.drawPath({{200, 150}, {250, 150}, {260, 170}});
    LogCapture log;
    app.domain->removeLastPath(nullptr);
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    ASSERT_NE(app.domain->path, nullptr);
    EXPECT_EQ(app.domain->path->elementCount(), 0u);
    EXPECT_EQ(app.domain->transformedPathShownInDomain->elementCount(), 0u);
    app.drawDomain();
    app.move({100, 100});
    RecordingCanvas canvas = app.drawDomain();
    EXPECT_TRUE(canvas.strokes().empty());
    EXPECT_EQ(canvas.ops.size(), 3u);

    app.domain->restoreLastPath();
    app.domain->clear(nullptr);
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_TRUE(app.domain->removedPaths.empty());
    EXPECT_TRUE(app.domain->transformedPathsShownInDomain.empty());
    EXPECT_TRUE(app.domain->removedTransformedPathsShownInDomain.empty());
    EXPECT_FALSE(app.domain->gridlines.empty());
    app.drawDomain();
    app.move({120, 100});
    canvas = app.drawDomain();
    EXPECT_TRUE(canvas.strokes().empty());
    EXPECT_EQ(canvas.ops.size(), 3u);
}

// The strokes of a pass whose points are those of one of the given paths, in pass order.
std::vector<const Path*> strokedAmong(const RecordingCanvas& canvas,
                                      const std::vector<const PathList*>& lists) {
    std::vector<const Path*> result;
    for (const CanvasOp* op : canvas.strokes()) {
        for (const PathList* list : lists) {
            for (const auto& p : *list) {
                if (op->points == pointsOf(*p)) {
                    result.push_back(p.get());
                }
            }
        }
    }
    return result;
}

TEST_F(DomainViewTest, ImagesAreBuiltWhileHiddenAndAllShownOnceSwitchedOn) {
    app.drawPath({{200, 150}, {250, 150}});
    app.drawPath({{200, 100}, {260, 110}});
    DomainView& d = *app.domain;
    ASSERT_EQ(d.transformedPathsShownInDomain.size(), 2u);

    RecordingCanvas complete = app.drawDomain();
    EXPECT_EQ(strokedAmong(complete, {&d.transformedPathsShownInDomain}).size(), 0u);
    EXPECT_EQ(strokedAmong(complete, {&d.paths}).size(), 2u);
    app.press({100, 100});
    app.drag({110, 120});
    EXPECT_EQ(app.drawDomain().strokes().size(), 1u);
    app.release({110, 120});

    FakeSender item("Show Transformed Paths In Domain", 0);
    app.controller.toggleShowTransformedPathsInDomain(&item);
    EXPECT_EQ(item.state(), 1);
    EXPECT_TRUE(d.needsCompleteRedraw);
    complete = app.drawDomain();
    EXPECT_EQ(strokedAmong(complete, {&d.transformedPathsShownInDomain}).size(), 3u);

    app.press({100, 200});
    app.drag({120, 210});
    const RecordingCanvas incremental = app.drawDomain();
    ASSERT_EQ(incremental.strokes().size(), 2u);
    EXPECT_EQ(incremental.strokes()[0]->points, (std::vector<CGPoint>{{100, 200}, {120, 210}}));
    EXPECT_EQ(incremental.strokes()[1]->points,
              (std::vector<CGPoint>{imageIn(d, {100, 200}), imageIn(d, {120, 210})}));
}

TEST_F(DomainViewTest, ACompletePassPaintsTheDomainsLayersInOrder) {
    app.transformations.setFunction("Negate");
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    app.controller.toggleShowTransformedPathsInDomain(nullptr);
    FakeSender shading("Contours", 0);
    DomainView& d = *app.domain;
    d.showContoursAction(&shading);
    app.drawPath({{200, 150}, {250, 150}});
    ASSERT_FALSE(d.inverseGridlines.empty());
    ASSERT_FALSE(d.contours.empty());

    const RecordingCanvas canvas = app.drawDomain();
    const std::vector<CanvasOp>& ops = canvas.ops;
    ASSERT_EQ(ops[0].rect, (CGRect{{0, 0}, {400, 300}}));
    EXPECT_EQ(ops[0].color, Color::whiteColor());
    std::size_t i = 1;
    for (const ColoredRect& box : d.contours) {
        ASSERT_TRUE(ops[i].isFillRect());
        EXPECT_EQ(ops[i].rect, box.rect);
        EXPECT_EQ(ops[i].color, box.color);
        ++i;
    }
    std::vector<std::vector<CGPoint>> expected = {pointsOf(*d.xaxis), pointsOf(*d.yaxis)};
    for (const auto& t : d.axesTickMarks) {
        expected.push_back(pointsOf(*t));
    }
    for (const auto& e : expected) {
        ASSERT_TRUE(ops[i].isStroke());
        EXPECT_EQ(ops[i].points, e);
        ++i;
    }
    i += d.axesLabels.size();
    expected.clear();
    for (const PathList* list :
         {&d.paths, &d.inverseGridlines, &d.transformedPathsShownInDomain, &d.gridlines}) {
        for (const auto& p : *list) {
            expected.push_back(pointsOf(*p));
        }
    }
    for (const auto& e : expected) {
        ASSERT_TRUE(ops[i].isStroke()) << i;
        EXPECT_EQ(ops[i].points, e) << i;
        ++i;
    }
    EXPECT_EQ(ops.size(), i + 3);
    EXPECT_TRUE(ops.back().isText());
    EXPECT_FALSE(d.needsCompleteRedraw);
}

TEST_F(DomainViewTest, AfterAPanTheReadoutShowsTheTrueCoordinatesUnderTheStillPointer) {
    app.move({300, 200});
    ASSERT_EQ(app.domain->coords, (CGPoint{1, 0.5}));
    app.domain->keyDown(KeyEvent{u"4"});
    EXPECT_EQ(app.domain->coords, (CGPoint{0, 0.5}));
    EXPECT_EQ(app.range->coords, exponentiate({0, 0.5}));
    // A zoom moves the paths, and so reads the pointer, after the new scale factor is set but
    // before the translation is scaled.
    app.domain->zoomIn(nullptr);
    EXPECT_EQ(app.domain->coords, (CGPoint{0, 0.25}));
}

TEST_F(DomainViewTest, DuringALiveResizeEachStepMovesTheReadoutByTheShift) {
    app.domain->zoomIn(nullptr);  // scale factor 2
    app.move({300, 200});
    const CGPoint before = app.domain->coords;
    app.domainHost.liveResize = true;
    app.domainHost.resizeTo({440, 320});
    const double dx = static_cast<double>(20.0f / 200.0f);
    const double dy = static_cast<double>(10.0f / -200.0f);
    EXPECT_EQ(app.domain->coords, (CGPoint{before.x + dx, before.y + dy}));
    app.domainHost.resizeTo({430, 330});
    EXPECT_EQ(app.domain->coords, (CGPoint{before.x + dx + static_cast<double>(-5.0f / 200.0f),
                                           before.y + dy + static_cast<double>(5.0f / -200.0f)}));
    // The pointer's next move sets it from the pointer again.
    app.move({300, 200});
    EXPECT_EQ(app.domain->coords, app.domain->viewCoordinatesToTrueCoordinates({300, 200}));
}

TEST_F(DomainViewTest, OutsideALiveResizeTheReadoutIsTakenBeforeTheSizeChangesThenShifted) {
    app.move({300, 200});
    app.domainHost.resizeTo({440, 320});
    // (300, 200) read against the old size is (1, 0.5); then the shift is added.
    EXPECT_EQ(app.domain->coords, (CGPoint{1 + static_cast<double>(20.0f / 100.0f),
                                           0.5 + static_cast<double>(10.0f / -100.0f)}));
}

TEST_F(DomainViewTest, PanZoomAndResizeKeepPathsAndImagesOnTheirTruePoints) {
    app.drawPath({{210, 160}, {250, 170}});
    const CGPoint z0 = app.domain->viewCoordinatesToTrueCoordinates({210, 160});
    const CGPoint z1 = app.domain->viewCoordinatesToTrueCoordinates({250, 170});
    app.drawPath({{150, 100}, {160, 90}});
    LogCapture log;
    app.domain->removeLastPath(nullptr);
    const CGPoint removed0 = app.domain->viewCoordinatesToTrueCoordinates({150, 100});

    app.domain->keyDown(KeyEvent{u"6"});
    app.domain->zoomOut(nullptr);
    app.domainHost.resizeTo({500, 250});
    app.domain->keyDown(KeyEvent{std::u16string(1, kUpArrowFunctionKey)});

    const DomainView& d = *app.domain;
    auto near = [](CGPoint a, CGPoint b) {
        EXPECT_NEAR(a.x, b.x, 1e-9);
        EXPECT_NEAR(a.y, b.y, 1e-9);
    };
    near(d.paths[0]->elementAtIndex(0).point, d.trueCoordinatesToViewCoordinates(z0));
    near(d.paths[0]->elementAtIndex(1).point, d.trueCoordinatesToViewCoordinates(z1));
    near(d.transformedPathsShownInDomain[0]->elementAtIndex(1).point,
         d.trueCoordinatesToViewCoordinates(exponentiate(z1)));
    // The removed path and its image moved too.
    near(d.removedPaths[0]->elementAtIndex(0).point, d.trueCoordinatesToViewCoordinates(removed0));
    near(d.removedTransformedPathsShownInDomain[0]->elementAtIndex(0).point,
         d.trueCoordinatesToViewCoordinates(exponentiate(removed0)));
    expectLengthsInStep();
}

}  // namespace
}  // namespace zw
