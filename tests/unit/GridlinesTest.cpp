// Each plane's own grid, the domain's grid mapped into the range, and the range's grid pulled
// back into the domain.
#include <gtest/gtest.h>

#include <vector>

#include "engine/ComplexFunctions.h"
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
using test::pointsOf;

class GridlinesTest : public ::testing::Test {
  protected:
    void select(const char* title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }

    // With the identity and two planes of one size and viewport, an image lies where its
    // sample lay: the list then shows the domain's walk itself.
    static std::vector<double> rowsOf(const PathList& lines) {
        std::vector<double> rows;
        for (const auto& line : lines) {
            const auto& e = line->elements();
            if (e.front().point.y == e.back().point.y && e.front().point.x != e.back().point.x) {
                rows.push_back(e.front().point.y);
            }
        }
        return rows;
    }
    static std::vector<double> columnsOf(const PathList& lines) {
        std::vector<double> columns;
        for (const auto& line : lines) {
            const auto& e = line->elements();
            if (e.front().point.x == e.back().point.x && e.front().point.y != e.back().point.y) {
                columns.push_back(e.front().point.x);
            }
        }
        return columns;
    }

    AppHarness app;
};

TEST_F(GridlinesTest, TheDomainsWalkSamplesEveryTenUnitsThroughTheFunction) {
    const PathList& lines = app.range->transformedGridlines;
    ASSERT_EQ(lines.size(), 14u);
    const std::vector<double> rows = {150, 200, 250, 150, 100, 50};
    const std::vector<double> columns = {200, 250, 300, 350, 200, 150, 100, 50};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool horizontal = i < rows.size();
        const std::size_t samples = horizontal ? 41 : 31;
        ASSERT_EQ(lines[i]->elementCount(), samples) << i;
        for (std::size_t k = 0; k < samples; ++k) {
            const CGPoint sample = horizontal ? CGPoint{10.0 * k, rows[i]}
                                              : CGPoint{columns[i - rows.size()], 10.0 * k};
            const CGPoint expected = app.range->trueCoordinatesToViewCoordinates(
                exponentiate(app.domain->viewCoordinatesToTrueCoordinates(sample)));
            ASSERT_EQ(lines[i]->elementAtIndex(k).point, expected) << i << " " << k;
        }
        EXPECT_EQ(lines[i]->lineWidth(), 0.1);
        EXPECT_TRUE(lines[i]->lineDash().empty());
        EXPECT_EQ(lines[i]->color, Color::blackColor());
    }
    EXPECT_EQ(app.range->transformedGridline, lines.back().get());
}

TEST_F(GridlinesTest, AnAxisBelowTheViewIsSkippedAndTheRowsAboveItMapped) {
    select("Identity");
    app.domain->translation = {0, -200};
    app.range->translation = {0, -200};
    app.domain->constructAxes();
    EXPECT_EQ(rowsOf(app.range->transformedGridlines),
              (std::vector<double>{0, 50, 100, 150, 200, 250}));
    EXPECT_EQ(columnsOf(app.range->transformedGridlines),
              (std::vector<double>{200, 250, 300, 350, 200, 150, 100, 50}));
    EXPECT_EQ(app.range->transformedGridlines.size(), 14u);
}

TEST_F(GridlinesTest, AnAxisAboveTheViewMapsEveryRowDownToTheBottom) {
    select("Identity");
    app.domain->translation = {0, 400};
    app.range->translation = {0, 400};
    app.domain->constructAxes();
    EXPECT_EQ(rowsOf(app.range->transformedGridlines),
              (std::vector<double>{550, 500, 450, 400, 350, 300, 250, 200, 150, 100, 50}));
    EXPECT_EQ(app.range->transformedGridlines.size(), 19u);
}

// There is no test against the top edge: every row from the axis down is mapped, however far
// above the view the axis lies.
// Rows above the view are mapped down from the axis, but only up to one view height above the
// top edge: an axis billions of units away (a panned plane zoomed in) must not take billions
// of lines.
TEST_F(GridlinesTest, AnAxisFarAboveTheViewMapsTheRowsWithinAViewOfItsTopEdge) {
    select("Identity");
    app.domain->translation = {0, 800};
    app.range->translation = {0, 800};
    app.domain->constructAxes();
    std::vector<double> expected;
    for (double y = 600; y >= 50; y -= 50) {
        expected.push_back(y);
    }
    EXPECT_EQ(rowsOf(app.range->transformedGridlines), expected);

    for (double far : {1e12, 3e17, 1e31}) {
        app.domain->translation = {0, far};
        app.domain->constructAxes();
        EXPECT_GE(app.domain->gridlines.size(), 6u) << far;
        EXPECT_LE(rowsOf(app.range->transformedGridlines).size(), 12u) << far;
    }
}

TEST_F(GridlinesTest, TheWalkIgnoresWhetherTheOwnGridIsShown) {
    FakeSender item("Domain Grid", 1);
    app.domain->showDomainGrid(&item);
    EXPECT_FALSE(app.domain->showGridlines);
    EXPECT_TRUE(app.domain->gridlines.empty());
    EXPECT_EQ(app.range->transformedGridlines.size(), 14u);
}

TEST_F(GridlinesTest, OwnGridsLieOnTheTicksOffTheAxesInEachPlanesStyle) {
    std::vector<std::vector<CGPoint>> expected;
    for (double x : {250, 300, 350, 400, 150, 100, 50, 0}) {
        expected.push_back({{x, 0}, {x, 300}});
    }
    for (double y : {200, 250, 300, 100, 50, 0}) {
        expected.push_back({{0, y}, {400, y}});
    }
    std::vector<std::vector<CGPoint>> domainGrid;
    for (const auto& g : app.domain->gridlines) {
        domainGrid.push_back(pointsOf(*g));
        EXPECT_EQ(g->lineWidth(), 0.1);
        EXPECT_TRUE(g->lineDash().empty());
    }
    EXPECT_EQ(domainGrid, expected);

    EXPECT_TRUE(app.range->gridlines.empty());
    FakeSender item("Range Grid", 0);
    app.range->showRangeGrid(&item);
    EXPECT_TRUE(app.range->showGridlines);
    std::vector<std::vector<CGPoint>> rangeGrid;
    for (const auto& g : app.range->gridlines) {
        rangeGrid.push_back(pointsOf(*g));
        EXPECT_EQ(g->lineWidth(), 0.5);
        ASSERT_EQ(g->lineDash().size(), 3u);
        EXPECT_EQ(g->lineDash()[0], 3.0);
    }
    EXPECT_EQ(rangeGrid, expected);
    // Rebuilding the range's axes rebuilt the images of the domain's grid too.
    EXPECT_EQ(app.range->transformedGridlines.size(), 14u);
}

TEST_F(GridlinesTest, TransformedGridlinesSwitchOffAtOnceAndComeBackForTheCurrentFunction) {
    FakeSender item("Transformed Gridlines", 1);
    app.range->needsCompleteRedraw = false;
    app.range->showTransformedGridlinesAction(&item);
    EXPECT_EQ(item.state(), 0);
    EXPECT_FALSE(app.range->showTransformedGridlines);
    EXPECT_TRUE(app.range->transformedGridlines.empty());
    EXPECT_TRUE(app.range->needsCompleteRedraw);

    // Not rebuilt while off, whatever changes.
    select("Identity");
    app.domain->zoomIn(nullptr);
    EXPECT_TRUE(app.range->transformedGridlines.empty());

    app.range->showTransformedGridlinesAction(&item);
    EXPECT_EQ(item.state(), 1);
    ASSERT_EQ(app.range->transformedGridlines.size(), 14u);
    // Identity at twice the domain's zoom: the domain's row 150 + 50 lands at 150 + 25.
    EXPECT_EQ(app.range->transformedGridlines[1]->elementAtIndex(0).point, (CGPoint{100, 175}));
}

TEST_F(GridlinesTest, ZoomingOrPanningEitherPlaneRebuildsBothMappedLists) {
    select("Negate");
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    ASSERT_EQ(app.domain->inverseGridlines.size(), 14u);

    app.range->zoomIn(nullptr);
    // Range row 150 + 50 is w = 0.25i at the new zoom; it pulls back to -0.25i in the domain.
    EXPECT_EQ(app.domain->inverseGridlines[1]->elementAtIndex(0).point,
              app.domain->trueCoordinatesToViewCoordinates({-(-200.0 / 200), -0.25}));
    EXPECT_EQ(app.range->transformedGridlines[0]->elementAtIndex(0).point,
              app.range->trueCoordinatesToViewCoordinates({2, -0.0}));

    app.domain->keyDown(KeyEvent{u"4"});
    // The domain's walk now starts at x = -3 on its axis; its first image is 3.
    EXPECT_EQ(app.range->transformedGridlines[0]->elementAtIndex(0).point,
              app.range->trueCoordinatesToViewCoordinates({3, -0.0}));
    EXPECT_EQ(app.domain->inverseGridlines[1]->elementAtIndex(0).point,
              app.domain->trueCoordinatesToViewCoordinates({1, -0.25}));
}

TEST_F(GridlinesTest, PullBacksNeedAnInverseAndAreDashed) {
    {
        AlertScript alerts;
        app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
        EXPECT_EQ(
            alerts.titles(),
            (std::vector<std::string>{"The currently selected function has no suitable inverse."}));
    }
    EXPECT_TRUE(app.domain->inverseGridlines.empty());

    select("Negate");
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    const PathList& lines = app.domain->inverseGridlines;
    ASSERT_EQ(lines.size(), 14u);
    // Same size and viewport: negation mirrors a view position through the centre.
    const std::vector<double> rows = {150, 200, 250, 150, 100, 50};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(lines[i]->elementCount(), 41u);
        EXPECT_EQ(lines[i]->elementAtIndex(0).point, (CGPoint{400, 300 - rows[i]}));
        EXPECT_EQ(lines[i]->elementAtIndex(40).point, (CGPoint{0, 300 - rows[i]}));
    }
    EXPECT_EQ(lines[6]->elementCount(), 31u);
    EXPECT_EQ(lines[6]->elementAtIndex(30).point, (CGPoint{200, 0}));
    for (const auto& line : lines) {
        EXPECT_EQ(line->lineWidth(), 0.5);
        EXPECT_EQ(line->lineDash().size(), 3u);
    }
    EXPECT_EQ(app.domain->inverseGridline, lines.back().get());
    EXPECT_TRUE(app.domain->needsCompleteRedraw);

    // Hiding the range's own grid leaves its pull-back.
    FakeSender rangeGrid("Range Grid", 0);
    app.range->showRangeGrid(&rangeGrid);
    app.range->showRangeGrid(&rangeGrid);
    EXPECT_FALSE(app.range->showGridlines);
    EXPECT_EQ(app.domain->inverseGridlines.size(), 14u);

    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
}

}  // namespace
}  // namespace zw
