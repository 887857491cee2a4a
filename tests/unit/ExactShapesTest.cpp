// Exact circles and lines: their samples lie on the shape with chords under half a view unit,
// the numbers are read with '.' whatever the locale, bad text is explained, and an added shape
// enters both planes as one drawn path does, with one undo step.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "support/AppHarness.h"
#include "support/PathPoints.h"
#include "views/ShapeInput.h"
#include "views/ShapeSampler.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;
using test::pointsOf;

double longestChord(const std::vector<CGPoint>& points, double scale) {
    double longest = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        longest = std::max(longest, scale * std::hypot(points[i].x - points[i - 1].x,
                                                       points[i].y - points[i - 1].y));
    }
    return longest;
}

TEST(ShapeSampler, CirclesAndLinesLieOnTheShapeWithChordsUnderHalfAUnit) {
    for (double scale : {100.0, 1600.0, 1.5625}) {
        const auto circle = ShapeSampler::circle({0.25, -1.5}, 0.75, scale);
        ASSERT_GE(circle.size(), 64u);
        EXPECT_EQ(circle.front(), circle.back());
        for (const CGPoint& p : circle) {
            EXPECT_NEAR(std::hypot(p.x - 0.25, p.y + 1.5), 0.75, 1e-12);
        }
        EXPECT_LT(longestChord(circle, scale), 0.5) << scale;

        const auto line = ShapeSampler::line({-1.0, 2.0}, {3.0, -1.0}, scale);
        EXPECT_EQ(line.front(), (CGPoint{-1.0, 2.0}));
        EXPECT_EQ(line.back(), (CGPoint{3.0, -1.0}));
        for (const CGPoint& p : line) {
            // On the line 3x + 4y = 5.
            EXPECT_NEAR(3 * p.x + 4 * p.y, 5.0, 1e-12);
        }
        EXPECT_LT(longestChord(line, scale), 0.5) << scale;
    }
    // A circle too large to sample at that limit is bounded, not endless.
    EXPECT_EQ(ShapeSampler::circle({0, 0}, 1e12, 100.0).size(), ShapeSampler::kMaxPoints);
}

TEST(ShapeInput, ReadsNumbersWithAPointInEveryLocaleAndExplainsBadText) {
    // A locale whose decimal point is a comma, where the system has one.
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    std::string error;
    const auto circle = ShapeInput::readCircle(" 1.5", "-2e-3 ", "+0.25", error);
    ASSERT_TRUE(circle.has_value()) << error;
    EXPECT_EQ(circle->centre, (CGPoint{1.5, -0.002}));
    EXPECT_EQ(circle->radius, 0.25);
    EXPECT_EQ(error, "");
    std::setlocale(LC_NUMERIC, "C");
    (void)german;

    const struct {
        const char* re;
        const char* im;
        const char* radius;
        const char* message;
    } bad[] = {
        {"1,5", "0", "1",
         "Centre, real part: \"1,5\" is not a number; use '.' as the decimal point."},
        {"0", "abc", "1", "Centre, imaginary part: \"abc\" is not a number."},
        {"0", "0", "", "Radius is empty."},
        {"0", "0", "0", "Radius must be greater than 0."},
        {"0", "0", "-1", "Radius must be greater than 0."},
        {"inf", "0", "1", "Centre, real part must be a finite number."},
        {"0", "nan", "1", "Centre, imaginary part must be a finite number."},
        {"1e999", "0", "1", "Centre, real part: \"1e999\" is too large."},
        {"++1", "0", "1", "Centre, real part: \"++1\" is not a number."},
        {"1.5x", "0", "1", "Centre, real part: \"1.5x\" is not a number."},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(ShapeInput::readCircle(b.re, b.im, b.radius, error).has_value()) << b.re;
        EXPECT_EQ(error, b.message);
    }
    EXPECT_FALSE(ShapeInput::readLine("1", "2", "1", "2", error).has_value());
    EXPECT_EQ(error, "The two end points must differ.");
    const auto line = ShapeInput::readLine("-1", "0", "1", "0.5", error);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->to, (CGPoint{1.0, 0.5}));
}

TEST(ExactShapes, AnAddedCircleIsOneDrawnPathWithItsImageAndUndoesAsOne) {
    AppHarness app({{400, 400}, {400, 400}, true});
    app.domain->setColorRed(nullptr);
    app.range->setColorBlue(nullptr);
    FakeSender square("Square");
    app.controller.setFunction(&square);
    const auto points = ShapeSampler::circle({0.5, 0.25}, 0.75, 100.0);
    app.domain->addExactPath(points);

    ASSERT_EQ(app.domain->paths.size(), 1u);
    const Path& path = *app.domain->paths[0];
    EXPECT_EQ(path.color, Color::redColor());
    ASSERT_EQ(path.elementCount(), points.size());
    for (const CGPoint& p : pointsOf(path)) {
        const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates(p);
        EXPECT_NEAR(std::hypot(z.x - 0.5, z.y - 0.25), 0.75, 1e-9);
    }
    ASSERT_EQ(app.range->paths.size(), 1u);
    const auto image = pointsOf(*app.range->paths[0]);
    ASSERT_EQ(image.size(), points.size());
    EXPECT_EQ(app.range->paths[0]->color, Color::blueColor());
    const CGPoint w = app.range->viewCoordinatesToTrueCoordinates(image[10]);
    EXPECT_NEAR(w.x, points[10].x * points[10].x - points[10].y * points[10].y, 1e-9);
    EXPECT_EQ(app.domain->transformedPathsShownInDomain.size(), 1u);
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    EXPECT_TRUE(app.range->needsCompleteRedraw);

    EXPECT_EQ(app.undo().undoActionName(), "Last Path Drawn");
    app.undo().undo();
    EXPECT_TRUE(app.domain->paths.empty());
    EXPECT_TRUE(app.range->paths.empty());
    EXPECT_TRUE(app.domain->transformedPathsShownInDomain.empty());
    EXPECT_FALSE(app.undo().canUndo());
    app.undo().redo();
    ASSERT_EQ(app.domain->paths.size(), 1u);
    ASSERT_EQ(app.range->paths.size(), 1u);
    EXPECT_EQ(pointsOf(*app.range->paths[0]), image);
}

}  // namespace
}  // namespace zw
