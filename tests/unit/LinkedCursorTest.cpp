// Where the pointer is in both planes: the readings behind the markers and the status bar,
// and the status bar's texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "app/LinkedCursor.h"
#include "app/StatusText.h"
#include "engine/ComplexFunctions.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/Printers.h"

namespace zw {
namespace {

using Pane = LinkedCursor::Pane;
using test::AppHarness;

class LinkedCursorTest : public ::testing::Test {
  protected:
    LinkedCursorTest() : cursor(app.controller, *app.domain, *app.range) {}

    // The pointer over the domain, as the window reports it: the domain takes the move first.
    LinkedCursor::Reading overDomain(CGPoint p) {
        app.move(p);
        cursor.pointerAt(Pane::Domain, p);
        return cursor.read();
    }
    LinkedCursor::Reading overRange(CGPoint p) {
        cursor.pointerAt(Pane::Range, p);
        return cursor.read();
    }

    AppHarness app;
    LinkedCursor cursor;
};

TEST_F(LinkedCursorTest, OverTheDomainMarksFOfTheTruePointInTheRange) {
    const CGPoint p{250, 170};  // z = 0.5 + 0.2i
    const LinkedCursor::Reading r = overDomain(p);
    EXPECT_EQ(r.pane, Pane::Domain);
    EXPECT_EQ(r.point, app.domain->viewCoordinatesToTrueCoordinates(p));
    ASSERT_TRUE(r.hasImage);
    EXPECT_EQ(r.image, exponentiate(r.point));
    ASSERT_TRUE(r.rangeMarker.has_value());
    EXPECT_EQ(*r.rangeMarker, app.range->trueCoordinatesToViewCoordinates(r.image));
    EXPECT_FALSE(r.domainMarker.has_value());

    // The range's own viewport places the marker.
    app.range->zoomAt({0, 0}, false);
    ASSERT_TRUE(cursor.read().rangeMarker.has_value());
    EXPECT_EQ(*cursor.read().rangeMarker, app.range->trueCoordinatesToViewCoordinates(r.image));
    EXPECT_NE(*cursor.read().rangeMarker, *r.rangeMarker);

    // Switched off: the reading stays, the markers go.
    cursor.markersShown = false;
    const LinkedCursor::Reading off = cursor.read();
    EXPECT_EQ(off.image, r.image);
    EXPECT_FALSE(off.rangeMarker.has_value());

    cursor.markersShown = true;
    cursor.pointerLeft();
    const LinkedCursor::Reading gone = cursor.read();
    EXPECT_EQ(gone.pane, Pane::None);
    EXPECT_FALSE(gone.rangeMarker.has_value());
    EXPECT_FALSE(gone.domainMarker.has_value());
}

TEST_F(LinkedCursorTest, ImagesThatAreFarOrNotFiniteAreNotMarked) {
    // e^3 lies well outside a range 400 wide at scale 1; e^-0.5 inside.
    EXPECT_FALSE(overDomain({500, 150}).rangeMarker.has_value());
    EXPECT_TRUE(overDomain({150, 150}).rangeMarker.has_value());
    // Custom Function: a zero coordinate gives an infinite part.
    app.controller.transformations->setFunction("Custom Function");
    const LinkedCursor::Reading r = overDomain({200, 180});
    EXPECT_TRUE(std::isinf(r.image.x));
    EXPECT_FALSE(r.rangeMarker.has_value());
    EXPECT_FALSE(LinkedCursor::nearView(*app.range, {std::nan(""), 10}));
    EXPECT_TRUE(LinkedCursor::nearView(*app.range, {-LinkedCursor::kMargin, 300}));
    EXPECT_FALSE(LinkedCursor::nearView(*app.range, {-LinkedCursor::kMargin - 1, 300}));
}

TEST_F(LinkedCursorTest, OverTheRangeMarksTheInverseOnlyWhereThereIsOne) {
    const LinkedCursor::Reading none = overRange({250, 150});
    EXPECT_EQ(none.pane, Pane::Range);
    EXPECT_EQ(none.point, (CGPoint{0.5, 0}));
    EXPECT_FALSE(none.hasImage) << "Exponentiate has no inverse";
    EXPECT_FALSE(none.domainMarker.has_value());

    app.controller.transformations->setFunction("Invert");
    const LinkedCursor::Reading r = overRange({250, 150});
    ASSERT_TRUE(r.hasImage);
    EXPECT_EQ(r.image, (CGPoint{2, -0.0}));
    ASSERT_TRUE(r.domainMarker.has_value());
    EXPECT_EQ(*r.domainMarker, (CGPoint{400, 150}));
    EXPECT_FALSE(r.rangeMarker.has_value());
}

TEST_F(LinkedCursorTest, HoveringNeitherLogsNorMovesInvertsLastGoodPoint) {
    app.controller.transformations->setFunction("Invert");
    engine::lastGoodPoint = {7, 7};
    test::LogCapture log;
    const LinkedCursor::Reading pole = overRange({200, 150});
    EXPECT_EQ(pole.image, (CGPoint{7, 7})) << "invert's answer at its pole";
    overRange({300, 150});
    EXPECT_EQ(engine::lastGoodPoint, (CGPoint{7, 7}));
    EXPECT_TRUE(log.lines.empty());
    // Drawing still logs as before.
    app.press({200, 150});
    EXPECT_TRUE(log.contains("invert: Division by zero!"));
}

TEST(StatusTextTest, NumbersHaveThreeDecimalsAndAPointInEveryLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.utf8");
    EXPECT_EQ(StatusText::number(0.5), "0.500");
    EXPECT_EQ(StatusText::number(-2), "-2.000");
    EXPECT_EQ(StatusText::number(1234.56789), "1234.568");
    EXPECT_EQ(StatusText::number(-0.0), "0.000");
    EXPECT_EQ(StatusText::number(-0.0001), "-1.000e-04");
    EXPECT_EQ(StatusText::number(2.5e12), "2.500e+12");
    EXPECT_EQ(StatusText::complex({0.5, 1.25}), "0.500 + 1.250i");
    EXPECT_EQ(StatusText::complex({-3, -0.125}), "-3.000 - 0.125i");
    EXPECT_EQ(StatusText::complex({0, -0.0}), "0.000 + 0.000i");
    EXPECT_EQ(StatusText::complex({std::numeric_limits<double>::infinity(), 2}), "∞");
    EXPECT_EQ(StatusText::complex({1, std::nan("")}), "undefined");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(StatusTextTest, PointerLinesNameBothPoints) {
    LinkedCursor::Reading r;
    EXPECT_EQ(StatusText::pointer(r), "");
    r.pane = Pane::Domain;
    r.point = {0.5, 1.25};
    r.hasImage = true;
    r.image = {-1, 0};
    EXPECT_EQ(StatusText::pointer(r), "z = 0.500 + 1.250i    f(z) = -1.000 + 0.000i");
    r.pane = Pane::Range;
    EXPECT_EQ(StatusText::pointer(r), "w = 0.500 + 1.250i    f⁻¹(w) = -1.000 + 0.000i");
    r.hasImage = false;
    EXPECT_EQ(StatusText::pointer(r), "w = 0.500 + 1.250i");
}

TEST(StatusTextTest, ZoomReadsAsAMagnification) {
    EXPECT_EQ(StatusText::zoom(1.0f), "×1");
    EXPECT_EQ(StatusText::zoom(4.0f), "×4");
    EXPECT_EQ(StatusText::zoom(0.125f), "×1/8");
    EXPECT_EQ(StatusText::zoom(65536.0f), "×65536");
    EXPECT_EQ(StatusText::zoom(0x1p17f), "×2^17");
    EXPECT_EQ(StatusText::zoom(0x1p-100f), "×2^-100");
    EXPECT_EQ(StatusText::zooms(2.0f, 0.5f), "zoom z ×2  w ×1/2");
}

TEST(StatusTextTest, FunctionNamesSayHowTheFunctionWasChosen) {
    ActiveFunction f;
    f.title = "Hyperbolic Plane To Disk";
    EXPECT_EQ(StatusText::functionName(f), "Hyperbolic Plane To Disk");
    f.kind = ActiveFunction::Kind::UserMap;
    f.title = "usersMobiusMap";
    f.coefficients = {1, 0, 0, -1, 0.5f, 2, 0, 0};
    EXPECT_EQ(StatusText::functionName(f),
              "Möbius map (az + b)/(cz + d), a = 1, b = -i, c = 0.5 + 2i, d = 0");
    f.title = "usersPolynomial";
    f.coefficients = {0, 0, 0, 0, 1, 0, -2.25f, 0};
    EXPECT_EQ(StatusText::functionName(f),
              "Cubic polynomial az³ + bz² + cz + d, a = 0, b = 0, c = 1, d = -2.25");
    f.title = "usersAffineMap";
    f.coefficients = {1, 2, 3, 4, 99, 5, 99, 6};
    EXPECT_EQ(
        StatusText::functionName(f),
        "Affine map (u + ax + cy) + i(v + bx + dy), u = 1, v = 3, a = 2, b = 4, c = 5, d = 6");
    f.kind = ActiveFunction::Kind::Formula;
    f.formula = "z^2 + 1";
    EXPECT_EQ(StatusText::functionName(f), "w = z^2 + 1");
}

}  // namespace
}  // namespace zw
