// The controller: start-up, point routing, the shading queries, the display options with
// their alerts, function selection and the path history with its undo entries.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/ComplexFunctions.h"
#include "engine/Transformations.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/PathPoints.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AlertScript;
using test::AppHarness;
using test::FakeSender;
using test::LogCapture;
using test::pointsOf;

const char* const kNoInverse = "The currently selected function has no suitable inverse.";
const char* const kNoLongerShown =
    "As the new function has no suitable inverse, the inverse images of range gridlines will "
    "no longer be shown.";

void expectNotice(const AlertRequest& r, const std::string& title) {
    EXPECT_EQ(r.title, title);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.defaultButton, "OK");
    EXPECT_EQ(r.alternateButton, "");
    EXPECT_EQ(r.otherButton, "");
}

class ControllerTest : public ::testing::Test {
  protected:
    void select(const std::string& title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }
    void inverseImagesOn() {
        app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
        ASSERT_TRUE(app.controller.showingInverseImagesInDomain);
    }

    AppHarness app;
};

TEST(ControllerStartUp, SelectsExponentiateAndBuildsTheGridImagesOnlyWhenAwoken) {
    AppHarness app({{400, 300}, {400, 300}, false});
    EXPECT_EQ(engine::func, nullptr);
    EXPECT_TRUE(app.range->transformedGridlines.empty());
    app.controller.showingDomainPaths = true;
    app.awakeFromNib();
    EXPECT_EQ(engine::func, exponentiate);
    EXPECT_EQ(app.controller.transform({0.3, 0.7}), exponentiate({0.3, 0.7}));
    EXPECT_EQ(app.range->transformedGridlines.size(), 14u);
    EXPECT_FALSE(app.controller.showTransformedPathsInDomain());
    EXPECT_FALSE(app.controller.showInverseImagesOfRangeGridlines());
}

TEST_F(ControllerTest, RoutesEachPointToTheRangeFirstThenTheDomain) {
    app.controller.newDomainPathStartedAt({0.5, 0});
    const CGPoint w0 = exponentiate({0.5, 0});
    ASSERT_EQ(app.range->paths.size(), 1u);
    EXPECT_EQ(app.range->paths[0]->elementAtIndex(0).point,
              app.range->trueCoordinatesToViewCoordinates(w0));
    ASSERT_EQ(app.domain->transformedPathsShownInDomain.size(), 1u);
    EXPECT_EQ(app.domain->pathStart, app.domain->trueCoordinatesToViewCoordinates(w0));

    app.controller.newDomainPointAt({0, 1});
    const CGPoint w1 = exponentiate({0, 1});
    EXPECT_EQ(app.range->paths[0]->elementAtIndex(1).point,
              app.range->trueCoordinatesToViewCoordinates(w1));
    EXPECT_EQ(app.domain->transformedPathsShownInDomain[0]->elementAtIndex(1).point,
              app.domain->trueCoordinatesToViewCoordinates(w1));

    app.controller.updateRangeCoordinates({-1, 2});
    EXPECT_EQ(app.range->coords, exponentiate({-1, 2}));
}

TEST_F(ControllerTest, GreynessAndArgumentOfTheImage) {
    select("Identity");
    EXPECT_EQ(app.controller.greyness({0, 0}), 0.0f);
    EXPECT_EQ(app.controller.greyness({3, 4}), static_cast<float>(std::atan(5.0) / 2.0));
    EXPECT_LT(app.controller.greyness({1e30, 0}),
              static_cast<float>(3.141592653589793 / 4) + 1e-7f);
    EXPECT_EQ(app.controller.argument({-1, 0}), 180.0f);
    EXPECT_EQ(app.controller.argument({0, -1}), -90.0f);
    EXPECT_EQ(app.controller.argument({1, 1}), 45.0f);
    select("Negate");
    // A negative real image whose imaginary part is -0.
    EXPECT_EQ(app.controller.argument({1, 0}), -180.0f);
    select("Square");
    EXPECT_EQ(app.controller.argument({0, 1}), 180.0f);
}

TEST_F(ControllerTest, InverseImagesCannotBeTurnedOnWithoutAnInverse) {
    AlertScript alerts;
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    ASSERT_EQ(alerts.count(), 1u);
    expectNotice(alerts.requests[0], kNoInverse);
    EXPECT_FALSE(app.controller.showInverseImagesOfRangeGridlines());
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
    EXPECT_TRUE(app.inverseImagesItem.stateHistory.empty());
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
}

TEST_F(ControllerTest, InverseImagesToggleOnAndOff) {
    select("Invert");
    AlertScript alerts;
    LogCapture log;
    inverseImagesOn();
    EXPECT_EQ(app.inverseImagesItem.state(), 1);
    EXPECT_EQ(app.domain->inverseGridlines.size(), 14u);
    EXPECT_EQ(alerts.count(), 0u);

    app.domain->needsCompleteRedraw = false;
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    EXPECT_FALSE(app.controller.showInverseImagesOfRangeGridlines());
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
}

TEST_F(ControllerTest, ChoosingAFunctionWithoutInverseSwitchesInverseImagesOffAfterTheAlert) {
    select("Invert");
    LogCapture log;
    inverseImagesOn();
    FakeSender contours("Contours");
    app.domain->showContoursAction(&contours);
    const Color invertColour = app.domain->contours[0].color;

    AlertScript alerts;
    Color colourDuringAlert;
    alerts.onAlert = [&](const AlertRequest&) {
        colourDuringAlert = app.domain->contours[0].color;
    };
    app.domain->needsCompleteRedraw = false;
    select("Square");
    ASSERT_EQ(alerts.count(), 1u);
    expectNotice(alerts.requests[0], kNoLongerShown);
    EXPECT_FALSE(app.controller.showInverseImagesOfRangeGridlines());
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    // The shading is rebuilt for the new function once the alert is dismissed.
    EXPECT_EQ(colourDuringAlert, invertColour);
    const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates({202, 152});
    EXPECT_EQ(app.domain->contours[0].color,
              Color::colorWithDeviceWhite(1.0f - app.controller.greyness(z), 1));
    const CGPoint w = square(z);
    EXPECT_EQ(app.controller.greyness(z),
              static_cast<float>(std::atan(std::sqrt(w.x * w.x + w.y * w.y)) / 2.0));
}

TEST_F(ControllerTest, ChoosingAnotherInvertibleFunctionRebuildsThePullBacks) {
    select("Invert");
    LogCapture log;
    inverseImagesOn();
    AlertScript alerts;
    select("Negate");
    EXPECT_EQ(alerts.count(), 0u);
    EXPECT_TRUE(app.controller.showInverseImagesOfRangeGridlines());
    ASSERT_EQ(app.domain->inverseGridlines.size(), 14u);
    // Same viewports: negation mirrors the range's axis row (0, 150) to (400, 150).
    EXPECT_EQ(app.domain->inverseGridlines[0]->elementAtIndex(0).point, (CGPoint{400, 150}));
    EXPECT_EQ(app.domain->inverseGridlines[0]->elementAtIndex(40).point, (CGPoint{0, 150}));
}

// A new function, formula or set of coefficients: each rebuilds the pull-backs under its own
// inverse; only the coefficients note it in the log.
TEST_F(ControllerTest, EveryNewFunctionRebuildsThePullBacksAndOnlyNewCoefficientsLogIt) {
    struct Case {
        const char* name;
        std::function<void()> change;
        bool logged;
    };
    FakeSender negate("Negate");
    std::string error;
    const Case cases[] = {
        {"menu", [&] { app.controller.setFunction(&negate); }, false},
        {"formula", [&] { ASSERT_TRUE(app.controller.setFormula("2z", "w/2", error)); }, false},
        // w = 2z + 1
        {"dialog", [&] { app.controller.setParameters("usersMobiusMap", 2, 0, 1, 0, 0, 0, 1, 0); },
         true},
    };
    select("Invert");
    inverseImagesOn();
    for (const Case& c : cases) {
        LogCapture log;
        c.change();
        EXPECT_EQ(log.contains("calling [controller constructInverseGridlines]"), c.logged)
            << c.name;
        ASSERT_EQ(app.domain->inverseGridlines.size(), 14u) << c.name;
        // The range's axis row starts at (0, 150).
        const CGPoint w = app.range->viewCoordinatesToTrueCoordinates({0, 150});
        EXPECT_EQ(app.domain->inverseGridlines[0]->elementAtIndex(0).point,
                  app.domain->trueCoordinatesToViewCoordinates(app.controller.transformInv(w)))
            << c.name;
    }
}

TEST_F(ControllerTest, ChangingTheFunctionRebuildsTheGridImagesAndTheShading) {
    select("Identity");
    const PathList& lines = app.range->transformedGridlines;
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[1]->elementAtIndex(0).point, (CGPoint{0, 200}));
    app.range->needsCompleteRedraw = false;
    app.rangeHost.resetDisplayRequests();
    select("Negate");
    EXPECT_TRUE(app.range->needsCompleteRedraw);
    EXPECT_GE(app.rangeHost.needsDisplayCalls, 1u);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[1]->elementAtIndex(0).point, (CGPoint{400, 100}));

    // Emptied even while the range is not showing them, and then not rebuilt.
    app.range->showTransformedGridlines = false;
    select("Cube");
    EXPECT_TRUE(lines.empty());
}

// A formula with no finite value (1/0, log(0)) can draw no grid image: the old ones must still
// go from the screen, followed or not, and the controller says that nothing can be drawn.
TEST_F(ControllerTest, AFunctionFiniteNowhereLeavesNoStaleGridImages) {
    for (const bool follow : {false, true}) {
        SCOPED_TRACE(follow ? "following curves" : "plain");
        app.controller.followCurvesNearPoles = follow;
        select("Invert");
        inverseImagesOn();
        EXPECT_FALSE(app.controller.nowhereFinite());
        app.drawRange();
        app.drawDomain();
        for (const char* formula : {"1/0", "log(0)"}) {
            std::string error;
            ASSERT_TRUE(app.controller.setFormula(formula, "1/0", error)) << error;
            EXPECT_TRUE(app.controller.nowhereFinite()) << formula;
            // The next passes start from white: nothing of the old images stays.
            EXPECT_TRUE(app.range->needsCompleteRedraw) << formula;
            EXPECT_TRUE(app.domain->needsCompleteRedraw) << formula;
            const test::RecordingCanvas range = app.drawRange();
            ASSERT_FALSE(range.rectFills().empty());
            EXPECT_EQ(range.rectFills().front()->rect, app.range->bounds());
            app.drawDomain();
        }
        // Still nowhere finite after a pan; a function with values clears the note.
        app.domain->panBy(300, 0);
        EXPECT_TRUE(app.controller.nowhereFinite());
        std::string error;
        ASSERT_TRUE(app.controller.setFormula("1/z", "1/w", error)) << error;
        EXPECT_FALSE(app.controller.nowhereFinite());
        app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    }
}

TEST_F(ControllerTest, AnUnknownTitleIsLoggedAndActsAsIdentity) {
    LogCapture log;
    select("Hyperbolic Disk To Plane");
    EXPECT_TRUE(log.contains(
        "unknown function specifed, namely Hyperbolic Disk To Plane, behaving as identity"));
    EXPECT_EQ(app.controller.transform({0.25, -4}), (CGPoint{0.25, -4}));
    EXPECT_TRUE(app.transformations.hasInverse());
}

TEST_F(ControllerTest, ShowingPathImagesInTheDomainTogglesWithTheItem) {
    FakeSender item("Show Transformed Paths", 0);
    app.domain->needsCompleteRedraw = false;
    app.domainHost.resetDisplayRequests();
    app.controller.toggleShowTransformedPathsInDomain(&item);
    EXPECT_TRUE(app.controller.showTransformedPathsInDomain());
    EXPECT_EQ(item.state(), 1);
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    EXPECT_GE(app.domainHost.needsDisplayCalls, 1u);
    app.controller.toggleShowTransformedPathsInDomain(&item);
    EXPECT_FALSE(app.controller.showTransformedPathsInDomain());
    EXPECT_EQ(item.state(), 0);
}

TEST_F(ControllerTest, RangeColourIsTheRangesPathColour) {
    EXPECT_EQ(app.controller.rangeColor(), Color::blackColor());
    app.range->setColorGreen(nullptr);
    EXPECT_EQ(app.controller.rangeColor(), Color::greenColor());
}

TEST_F(ControllerTest, ClearAllConfirmedEmptiesBothPlanesAndTheHistory) {
    app.drawPath({{200, 150}, {250, 150}});
    app.drawPath({{200, 100}, {250, 100}});
    LogCapture log;
    app.controller.removeLastPath(nullptr);
    AlertScript alerts({kAlertDefaultReturn});
    FakeSender item("Clear All Paths...");
    app.controller.clearAll(&item);
    ASSERT_EQ(alerts.count(), 1u);
    const AlertRequest& r = alerts.requests[0];
    EXPECT_EQ(r.title, "Clear all paths?");
    EXPECT_EQ(r.message, "This operation cannot be undone.");
    EXPECT_EQ(r.defaultButton, "OK");
    EXPECT_EQ(r.alternateButton, "Cancel");
    EXPECT_EQ(r.otherButton, "");
    EXPECT_TRUE(log.contains("i = 1"));
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_TRUE(app.domain->removedPaths.empty());
    EXPECT_TRUE(app.domain->transformedPathsShownInDomain.empty());
    EXPECT_TRUE(app.range->paths.empty());
    EXPECT_TRUE(app.range->removedPaths.empty());
    EXPECT_FALSE(app.undo().canUndo());
    EXPECT_FALSE(app.undo().canRedo());
}

TEST_F(ControllerTest, ClearAllCancelledChangesNothing) {
    app.drawPath({{200, 150}, {250, 150}});
    app.drawPath({{200, 100}, {250, 100}});
    app.undo().undo();
    ASSERT_EQ(app.undo().undoCount(), 1u);
    ASSERT_EQ(app.undo().redoCount(), 1u);
    LogCapture log;
    AlertScript alerts({kAlertAlternateReturn});
    app.controller.clearAll(nullptr);
    EXPECT_EQ(log.lines, std::vector<std::string>{"i = 0"});
    EXPECT_EQ(app.domain->paths.size(), 1u);
    EXPECT_EQ(app.domain->removedPaths.size(), 1u);
    EXPECT_EQ(app.range->paths.size(), 1u);
    EXPECT_EQ(app.undo().undoCount(), 1u);
    EXPECT_EQ(app.undo().redoCount(), 1u);
    EXPECT_EQ(app.undo().undoActionName(), "Last Path Drawn");
    EXPECT_EQ(app.undo().redoActionName(), "Last Path Drawn");

    // Any other answer is not a confirmation either.
    AlertScript other({kAlertOtherReturn});
    app.controller.clearAll(nullptr);
    EXPECT_TRUE(log.contains("i = -1"));
    EXPECT_EQ(app.domain->paths.size(), 1u);
}

TEST_F(ControllerTest, RemoveLastPathFromTheMenuIsUndoneByRestoring) {
    app.drawPath({{200, 150}, {250, 150}});
    Path* drawn = app.domain->paths[0].get();
    LogCapture log;
    app.controller.removeLastPath(nullptr);
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_TRUE(app.range->paths.empty());
    EXPECT_EQ(app.undo().undoCount(), 2u);
    EXPECT_EQ(app.undo().undoActionName(), "Remove Last Path");

    app.undo().undo();
    ASSERT_EQ(app.domain->paths.size(), 1u);
    EXPECT_EQ(app.domain->paths[0].get(), drawn);
    EXPECT_EQ(app.range->paths.size(), 1u);
    EXPECT_EQ(app.undo().redoActionName(), "Remove Last Path");
    app.undo().redo();
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_EQ(app.undo().undoActionName(), "Remove Last Path");
}

TEST_F(ControllerTest, RemovingWithNothingDrawnStillRecordsAnUndoStepThatRestoresNothing) {
    LogCapture log;
    app.controller.removeLastPath(nullptr);
    EXPECT_EQ(log.count("Attempt made to remove path when none was present."), 2u);
    EXPECT_EQ(app.undo().undoActionName(), "Remove Last Path");
    app.undo().undo();
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_TRUE(app.range->paths.empty());
    EXPECT_EQ(app.undo().redoActionName(), "Remove Last Path");
}

}  // namespace
}  // namespace zw

namespace zw {
namespace {

// Undo, Redo, Remove Last Path and Clear All while the button is still down would take away
// the path under the pointer, and its release would then record an undo step for another path.
TEST_F(ControllerTest, ThePathHistoryWaitsForTheReleaseOfAPathBeingDrawn) {
    app.drawPath({{10, 10}, {20, 20}});
    app.drawPath({{30, 30}, {40, 40}});
    app.controller.removeLastPath(nullptr);  // "Remove Last Path" on top, so Redo has work too
    app.controller.undo(nullptr);
    ASSERT_EQ(app.domain->paths.size(), 2u);
    ASSERT_TRUE(app.undo().canRedo());

    app.press({100, 100});
    app.drag({110, 120});
    Path* drawn = app.domain->paths.back().get();
    EXPECT_TRUE(app.domain->isDrawingPath());
    EXPECT_FALSE(app.controller.canChangePathHistory());
    AlertScript alerts;
    const std::size_t undoSteps = app.undo().undoCount();
    app.controller.undo(nullptr);
    app.controller.redo(nullptr);
    app.controller.removeLastPath(nullptr);
    app.controller.clearAll(nullptr);
    EXPECT_EQ(alerts.count(), 0u) << "Clear All asks nothing while a path is drawn";
    ASSERT_EQ(app.domain->paths.size(), 3u);
    EXPECT_EQ(app.domain->paths.back().get(), drawn);
    EXPECT_EQ(app.range->paths.size(), 3u);
    EXPECT_EQ(app.domain->transformedPathsShownInDomain.size(), 3u);
    EXPECT_TRUE(app.domain->removedPaths.empty());
    EXPECT_EQ(app.undo().undoCount(), undoSteps);

    app.drag({120, 130});
    app.release({120, 130});
    EXPECT_FALSE(app.domain->isDrawingPath());
    EXPECT_EQ(drawn->elementCount(), 3u);
    // Now the history acts, on the path just finished.
    app.controller.undo(nullptr);
    ASSERT_EQ(app.domain->removedPaths.size(), 1u);
    EXPECT_EQ(app.domain->removedPaths.back().get(), drawn);
    app.controller.redo(nullptr);
    EXPECT_EQ(app.domain->paths.back().get(), drawn);
    EXPECT_EQ(app.undo().undoActionName(), "Last Path Drawn");
}

TEST_F(ControllerTest, APressWhoseReleaseWentAstrayIsFinishedByTheNextPress) {
    app.press({10, 10});
    app.drag({20, 20});
    Path* first = app.domain->paths.back().get();
    app.press({50, 50});
    EXPECT_TRUE(app.domain->isDrawingPath());
    EXPECT_EQ(app.undo().undoCount(), 1u);
    app.release({50, 50});
    app.controller.undo(nullptr);
    app.controller.undo(nullptr);
    ASSERT_EQ(app.domain->removedPaths.size(), 2u);
    EXPECT_EQ(app.domain->removedPaths.back().get(), first);
}

}  // namespace
}  // namespace zw
