// Where the pointer is in both planes: the readings behind the markers and the status bar,
// and the status bar's texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/LinkedCursor.h"
#include "app/StatusText.h"
#include "engine/Catalogue.h"
#include "engine/ComplexFunctions.h"
#include "engine/FunctionName.h"
#include "planes/Readout.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/Printers.h"

namespace zw {
namespace {

using Pane = LinkedCursor::Pane;
using test::AppHarness;
using test::FakeSender;

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

TEST_F(LinkedCursorTest, OverTheRangeMarksThePreimagesAndTheInverseWhereThereIsOne) {
    const LinkedCursor::Reading none = overRange({250, 150});
    EXPECT_EQ(none.pane, Pane::Range);
    EXPECT_EQ(none.point, (CGPoint{0.5, 0}));
    EXPECT_FALSE(none.hasImage) << "Exponentiate has no inverse";
    // Its one preimage in view, log 0.5, is ringed all the same.
    ASSERT_EQ(none.domainMarkers.size(), 1u);
    EXPECT_EQ(none.domainMarker, none.domainMarkers.front());
    EXPECT_NEAR(none.domainMarkers[0].x, 200 + 100 * std::log(0.5), 1e-6);
    EXPECT_NEAR(none.domainMarkers[0].y, 150, 1e-6);

    app.controller.transformations->setFunction("Invert");
    const LinkedCursor::Reading r = overRange({250, 150});
    ASSERT_TRUE(r.hasImage);
    EXPECT_EQ(r.image, (CGPoint{2, -0.0}));
    ASSERT_TRUE(r.domainMarker.has_value());
    EXPECT_EQ(*r.domainMarker, (CGPoint{400, 150}));
    EXPECT_EQ(r.domainMarkers, std::vector<CGPoint>{*r.domainMarker}) << "one ring, not two";
    EXPECT_EQ(StatusText::pointer(r), "w = 0.500 + 0.000i    f⁻¹(w) = 2.000 + 0.000i");
    EXPECT_FALSE(r.rangeMarker.has_value());
}

// Every z with f(z) = w in the domain's view gets a ring, for any f: with an inverse, without,
// from the catalogue or typed as a formula; the status bar lists them.
TEST_F(LinkedCursorTest, OverTheRangeEveryPreimageInViewIsRinged) {
    struct Case {
        const char* function;  // a catalogue title, or a formula
        CGPoint w;
        std::vector<CGPoint> z;  // in the order listed
        const char* status;
    };
    const Case cases[] = {
        {"Square",
         {1, 0},
         {{-1, 0}, {1, 0}},
         "w = 1.000 + 0.000i    2 preimages: -1.000 + 0.000i, 1.000 + 0.000i"},
        {"z^2 + z",
         {2, 0},
         {{-2, 0}, {1, 0}},
         "w = 2.000 + 0.000i    2 preimages: -2.000 + 0.000i, 1.000 + 0.000i"},
        {"Cube",
         {0, 1},
         {{-std::sqrt(3) / 2, 0.5}, {0, -1}, {std::sqrt(3) / 2, 0.5}},
         "w = 0.000 + 1.000i    3 preimages: -0.866 + 0.500i, 0.000 - 1.000i, 0.866 + 0.500i"},
        // Only those in view: the zero at 3 lies beyond the domain's right edge.
        {"(z^2 + 1)*(z - 3)",
         {0, 0},
         {{0, -1}, {0, 1}},
         "w = 0.000 + 0.000i    2 preimages: 0.000 - 1.000i, 0.000 + 1.000i"},
        {"z^4",
         {1, 0},
         {{-1, 0}, {0, -1}, {0, 1}, {1, 0}},
         "w = 1.000 + 0.000i    4 preimages: -1.000 + 0.000i, 0.000 - 1.000i, 0.000 + 1.000i, "
         "..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        if (catalogue::find(c.function) != nullptr) {
            FakeSender item(c.function);
            app.controller.setFunction(&item);
        } else {
            std::string error;
            ASSERT_TRUE(app.controller.setFormula(c.function, "", error)) << error;
        }
        const LinkedCursor::Reading r = overRange(app.range->trueCoordinatesToViewCoordinates(c.w));
        EXPECT_FALSE(r.hasImage);
        ASSERT_EQ(r.domainMarkers.size(), c.z.size());
        ASSERT_EQ(r.preimages.size(), c.z.size());
        EXPECT_EQ(r.preimageCount, static_cast<int>(c.z.size()));
        for (std::size_t i = 0; i < c.z.size(); ++i) {
            const CGPoint at = app.domain->trueCoordinatesToViewCoordinates(c.z[i]);
            EXPECT_NEAR(r.domainMarkers[i].x, at.x, 1e-6) << i;
            EXPECT_NEAR(r.domainMarkers[i].y, at.y, 1e-6) << i;
        }
        EXPECT_EQ(r.domainMarker, r.domainMarkers.front());
        EXPECT_EQ(StatusText::pointer(r), c.status);
        // Switched off: the list stays in the status bar, the rings go.
        cursor.markersShown = false;
        EXPECT_TRUE(cursor.read().domainMarkers.empty());
        EXPECT_EQ(StatusText::pointer(cursor.read()), c.status);
        cursor.markersShown = true;
    }
}

// With the pointer still, a new f, new coefficients or a zoom of the domain are read at once.
TEST_F(LinkedCursorTest, ThePreimagesFollowAChangeOfFunctionOrView) {
    const CGPoint at = app.range->trueCoordinatesToViewCoordinates({1, 0});  // w = 1
    std::string error;
    const std::function<void()> changes[] = {
        [&] { app.controller.setParameters("usersPolynomial", 0, 0, 1, 0, 0, 0, 0, 0); },
        [&] { app.controller.setParameters("usersPolynomial", 1, 0, 0, 0, 0, 0, 0, 0); },
        [&] { ASSERT_TRUE(app.controller.setFormula("z^4", "", error)) << error; },
        [&] { ASSERT_TRUE(app.controller.setFormula("z^4 - 0.9375", "", error)) << error; },
        [&] { app.domain->zoomIn(nullptr); },
    };
    // z^2, z^3, z^4 = 1; z^4 = 1.9375 has its roots ±1.18, ±1.18i in view at x1, none at x2.
    const std::size_t counts[] = {2, 3, 4, 4, 0};
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        changes[i]();
        const LinkedCursor::Reading r = overRange(at);
        EXPECT_EQ(r.domainMarkers.size(), counts[i]);
        for (const CGPoint m : r.domainMarkers) {
            const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates(m);
            EXPECT_NEAR(std::abs(std::pow(std::complex<double>(z.x, z.y), 2 + std::min<int>(i, 2)) -
                                 (i >= 3 ? 1.9375 : 1.0)),
                        0, 1e-6);
        }
    }
}

// e^z = w at log w + 2πik: as many rings as the domain's view holds, one per k.
TEST_F(LinkedCursorTest, UnderExponentiateEveryBranchOfTheLogarithmInViewIsRinged) {
    for (int i = 0; i < 3; ++i) {
        app.domain->zoomOut(nullptr);  // x1/8: y from -12 to 12
    }
    const std::complex<double> w{1, 1};
    const LinkedCursor::Reading r = overRange(app.range->trueCoordinatesToViewCoordinates({1, 1}));
    std::vector<CGPoint> expected;
    for (int k = -5; k <= 5; ++k) {
        const std::complex<double> z = std::log(w) + std::complex<double>(0, 2 * M_PI * k);
        const CGPoint at = app.domain->trueCoordinatesToViewCoordinates({z.real(), z.imag()});
        if (LinkedCursor::nearView(*app.domain, at)) {
            expected.push_back(at);
        }
    }
    ASSERT_EQ(expected.size(), 4u) << "k = -2 to 1; k = 2 lies above the view";
    ASSERT_EQ(r.domainMarkers.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(r.domainMarkers[i].x, expected[i].x, 1e-6) << i;
        EXPECT_NEAR(r.domainMarkers[i].y, expected[i].y, 1e-6) << i;
    }
    EXPECT_EQ(StatusText::pointer(r),
              "w = 1.000 + 1.000i    4 preimages: 0.347 - 11.781i, 0.347 - 5.498i, 0.347 + 0.785i, "
              "...");
}

// A pointer moving over the range follows the preimages from the last reading: the same points
// as a fresh search finds, for a fraction of its evaluations; a new view starts afresh.
TEST_F(LinkedCursorTest, AMovingPointerFollowsThePreimagesFromTheLastReading) {
    FakeSender cube("Cube");
    app.controller.setFunction(&cube);
    LinkedCursor fresh(app.controller, *app.domain, *app.range);
    overRange(app.range->trueCoordinatesToViewCoordinates({0.5, 0.5}));
    const long firstSearch = cursor.lastSearchEvaluations();
    for (int k = 1; k <= 8; ++k) {
        SCOPED_TRACE(k);
        const CGPoint at = app.range->trueCoordinatesToViewCoordinates({0.5 + 0.01 * k, 0.5});
        const LinkedCursor::Reading r = overRange(at);
        EXPECT_LT(cursor.lastSearchEvaluations() * 4, firstSearch);
        fresh.pointerAt(Pane::Range, at);
        EXPECT_EQ(r.preimageCount, 3);
        const std::vector<CGPoint> scanned = fresh.read().preimages;
        ASSERT_EQ(r.preimages.size(), scanned.size());
        for (std::size_t i = 0; i < scanned.size(); ++i) {
            EXPECT_NEAR(r.preimages[i].x, scanned[i].x, 1e-12);
            EXPECT_NEAR(r.preimages[i].y, scanned[i].y, 1e-12);
        }
    }
    // A new view, or a jump of the pointer, is searched afresh.
    overRange(app.range->trueCoordinatesToViewCoordinates({-0.5, 0.5}));
    EXPECT_GT(cursor.lastSearchEvaluations() * 4, firstSearch) << "a jump";
    app.domain->zoomOut(nullptr);
    overRange(app.range->trueCoordinatesToViewCoordinates({-0.49, 0.5}));
    EXPECT_GT(cursor.lastSearchEvaluations() * 4, firstSearch) << "a new view";
}

// Where the solver stops short, the status bar says so.
TEST_F(LinkedCursorTest, TheStatusBarSaysWhenTheSearchStoppedShort) {
    struct Case {
        const char* formula;
        CGPoint w;
        int zoomOuts;
        const char* ending;
    };
    const Case cases[] = {
        // Round an essential singularity the search cannot judge every cell.
        {"exp(1/z)", {2, 1}, 0, " (search incomplete)"},
        {"z^2", {1, 0}, 0, "1.000 + 0.000i"},
        // Too many zeros for the budget of one reading: those found, and the doubt.
        {"sin(z)", {0, 0}, 6, "-125.664 + 0.000i (search incomplete)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        for (int i = 0; i < c.zoomOuts; ++i) {
            app.domain->zoomOut(nullptr);
        }
        std::string error;
        ASSERT_TRUE(app.controller.setFormula(c.formula, "", error)) << error;
        const std::string text =
            StatusText::pointer(overRange(app.range->trueCoordinatesToViewCoordinates(c.w)));
        ASSERT_GE(text.size(), std::string(c.ending).size()) << text;
        EXPECT_EQ(text.substr(text.size() - std::string(c.ending).size()), c.ending) << text;
    }
}

TEST_F(LinkedCursorTest, HoveringNeitherLogsNorMovesInvertsLastGoodPoint) {
    app.controller.transformations->setFunction("Invert");
    engine::lastGoodPoint = {7, 7};
    test::LogCapture log;
    const LinkedCursor::Reading pole = overRange({200, 150});
    EXPECT_EQ(StatusText::pointer(pole), "w = 0.000 + 0.000i    f⁻¹(w) = ∞")
        << "not invert's stand-in at its pole";
    EXPECT_FALSE(pole.domainMarker.has_value());
    overRange({300, 150});
    EXPECT_EQ(engine::lastGoodPoint, (CGPoint{7, 7}));
    EXPECT_TRUE(log.lines.empty());
    // Drawing still logs as before.
    app.press({200, 150});
    EXPECT_TRUE(log.contains("invert: Division by zero!"));
}

// Where the engine can only return a stand-in (the last good point, the origin, e^0), the
// readouts say what f is there, and no ring marks the stand-in; drawing still gets it.
TEST_F(LinkedCursorTest, ReadoutsAtAPoleOrWhereFIsUndefinedSaySo) {
    struct Case {
        const char* function;
        CGPoint z;
        const char* f;
    };
    const Case cases[] = {
        {"Invert", {0, 0}, "∞"},
        {"Hyperbolic Plane To Disk", {0, -1}, "∞"},
        {"Hyperbolic Disk to Plane", {1, 0}, "∞"},
        {"exp(1/z)", {0, 0}, "undefined"},
        {"1/(exp(1/z)-1)", {0, 0}, "undefined"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        FakeSender item(c.function);
        app.controller.setFunction(&item);
        overDomain({100, 100});  // a point with a value first: invert's last good point moves
        test::LogCapture log;
        const LinkedCursor::Reading r =
            overDomain(app.domain->trueCoordinatesToViewCoordinates(c.z));
        EXPECT_FALSE(log.lines.empty()) << "the hover logs as before";
        EXPECT_EQ(StatusText::pointer(r), "z = " + StatusText::complex(c.z) + "    f(z) = " + c.f);
        EXPECT_FALSE(r.rangeMarker.has_value());
        const test::RecordingCanvas range = app.drawRange();
        ASSERT_FALSE(range.texts().empty());
        EXPECT_EQ(range.texts().back()->text, c.f) << "the range's corner readout";
        // The engine keeps its documented stand-in for everything drawn.
        EXPECT_TRUE(std::isfinite(app.controller.transform(c.z).x));
    }
}

// With the pointer still, a new f, new coefficients or a new formula are read at once, by the
// status bar and the range's readout alike.
TEST_F(LinkedCursorTest, TheReadoutsFollowAChangeOfFunction) {
    const CGPoint z = overDomain({250, 170}).point;
    FakeSender square("Square"), invert("Invert");
    std::string error;
    const std::function<void()> changes[] = {
        [&] { app.controller.setFunction(&square); },
        [&] { app.controller.setParameters("usersPolynomial", 0, 0, 0, 0, 2, 0, 1, 0); },
        [&] { ASSERT_TRUE(app.controller.setFormula("z^2 - 1", "", error)) << error; },
        [&] { app.controller.setFunction(&invert); },
    };
    for (const auto& change : changes) {
        change();
        EXPECT_EQ(app.range->coords, app.controller.transform(z));
        EXPECT_EQ(cursor.read().image, app.range->coords);
    }
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

// Zoomed in, a pixel's step shows in both corner readouts and the status bar; at the usual
// zooms they keep three decimals.
TEST_F(LinkedCursorTest, ZoomedInEveryPixelChangesTheReadouts) {
    for (int i = 0; i < 10; ++i) {
        app.domain->zoomIn(nullptr);  // x1024: a pixel is about 0.00001
    }
    FakeSender identity("Identity");
    app.controller.setFunction(&identity);
    overDomain({300, 150});
    EXPECT_EQ(app.drawDomain().texts().back()->text, "0.0009766, 0.0000000");
    EXPECT_EQ(StatusText::pointer(overDomain({301, 150})),
              "z = 0.0009863 + 0.0000000i    f(z) = 0.001 + 0.000i");
    // The range, at x1, writes f(z) as before.
    EXPECT_EQ(app.drawRange().texts().back()->text, "0.001, 0.000");
}

TEST(StatusTextTest, DecimalsFollowThePixelOnceThreeNoLongerShowIt) {
    // x1/1024, x1, x8, x16, x1024, x2^40.
    const std::pair<double, int> cases[] = {{10.24, 3},        {0.01, 3},
                                            {0.00125, 3},      {0.000625, 5},
                                            {1 / 102400.0, 7}, {0x1p-40 / 100.0, 16}};
    for (const auto& [unit, decimals] : cases) {
        EXPECT_EQ(Readout::decimals(unit), decimals) << unit;
    }
    const double pixel = 1 / 102400.0;
    EXPECT_EQ(Readout::point({1 + pixel, -0.5}, pixel), "1.0000098, -0.5000000");
    EXPECT_EQ(Readout::point({INFINITY, NAN}, 0.01), "∞");
    EXPECT_EQ(Readout::point({1, NAN}, 0.01), "undefined");
    EXPECT_EQ(Readout::fixed(12345.5, 30), "12345.500000000000") << "what a double holds";
    EXPECT_EQ(StatusText::number(-1.23456789e-5, 0x1p-20 / 100.0), "-1.23457e-05");
    EXPECT_EQ(StatusText::number(NAN), "undefined");
    EXPECT_EQ(StatusText::complex({1 + pixel, -0.0}, pixel), "1.0000098 + 0.0000000i");
    EXPECT_EQ(StatusText::complex({1 + pixel, -pixel}, pixel), "1.0000098 - 9.766e-06i");
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

TEST(StatusTextTest, OverTheRangeThePreimagesAreListed) {
    struct Case {
        bool hasInverse;  // f⁻¹(w) = -1
        std::vector<CGPoint> preimages;
        int count;
        const char* listed;  // after "w = 0.500 + 1.250i    "
    };
    const Case cases[] = {
        {false, {{2, 0}}, 1, "1 preimage: 2.000 + 0.000i"},
        {true, {{-1, 0}}, 1, "f⁻¹(w) = -1.000 + 0.000i"},
        {true, {{-1, 0}, {2, -3}}, 2, "2 preimages: -1.000 + 0.000i, 2.000 - 3.000i"},
        {true, {{2, 0}}, 1, "1 preimage: 2.000 + 0.000i"},
        {false,
         {{1, 0}, {2, 0}, {3, 0}},
         3,
         "3 preimages: 1.000 + 0.000i, 2.000 + 0.000i, 3.000 + 0.000i"},
        {false,
         {{1, 0}, {2, 0}, {3, 0}, {4, 0}},
         4,
         "4 preimages: 1.000 + 0.000i, 2.000 + 0.000i, 3.000 + 0.000i, ..."},
        // Some left out by the solver's cap are counted all the same.
        {false, {{1, 0}}, 70, "70 preimages: 1.000 + 0.000i, ..."},
    };
    {
        // Those left out are said to be, and a search that stopped short says so.
        LinkedCursor::Reading r;
        r.pane = Pane::Range;
        r.point = {0.5, 1.25};
        r.preimages = {{1, 0}};
        r.preimageCount = 70;
        r.leftOut = 69;
        EXPECT_EQ(StatusText::pointer(r),
                  "w = 0.500 + 1.250i    70 preimages: 1.000 + 0.000i, ... (69 left out)");
        r.incomplete = true;
        EXPECT_EQ(StatusText::pointer(r),
                  "w = 0.500 + 1.250i    70 preimages: 1.000 + 0.000i, "
                  "... (69 left out) (search incomplete)");
        r = LinkedCursor::Reading{};
        r.pane = Pane::Range;
        r.incomplete = true;
        EXPECT_EQ(StatusText::pointer(r), "w = 0.000 + 0.000i    (search incomplete)");
    }
    for (const Case& c : cases) {
        LinkedCursor::Reading r;
        r.pane = Pane::Range;
        r.point = {0.5, 1.25};
        r.hasImage = c.hasInverse;
        r.image = {-1, 0};
        r.preimages = c.preimages;
        r.preimageCount = c.count;
        EXPECT_EQ(StatusText::pointer(r), std::string("w = 0.500 + 1.250i    ") + c.listed);
    }
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

// The status bar names the function as the rest of the program does, from the record alone.
TEST(StatusTextTest, FunctionNamesSayHowTheFunctionWasChosen) {
    ActiveFunction f;
    f.title = "Hyperbolic Plane To Disk";
    EXPECT_EQ(functionDisplayName(f), "Hyperbolic Plane To Disk");
    f.kind = ActiveFunction::Kind::UserMap;
    f.title = "usersMobiusMap";
    f.coefficients = {1, 0, 0, -1, 0.5f, 2, 0, 0};
    EXPECT_EQ(functionDisplayName(f), "w = (z - i) / ((0.5+2i)z)");
    f.title = "usersPolynomial";
    f.coefficients = {0, 0, 0, 0, 1, 0, -2.25f, 0};
    EXPECT_EQ(functionDisplayName(f), "w = z - 2.25");
    // The affine dialog's cR and dR mean nothing and are not shown.
    f.title = "usersAffineMap";
    f.coefficients = {1, 2, 3, 4, 99, 5, 99, 6};
    EXPECT_EQ(functionDisplayName(f), "Re w = 1 + 2x + 5y, Im w = 3 + 4x + 6y");
    f.kind = ActiveFunction::Kind::Formula;
    f.formula = "sin(z)^2 + 1/(z-1)";
    f.inverse = "w";
    EXPECT_EQ(functionDisplayName(f), "f(z) = sin(z)^2 + 1/(z-1)");
}

}  // namespace
}  // namespace zw
