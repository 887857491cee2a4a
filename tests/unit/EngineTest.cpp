// The catalogue, its dispatch by title and the built-in functions. Every test case runs in a
// process of its own, so the engine starts as it does when the application starts.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "engine/Catalogue.h"
#include "engine/ComplexFunctions.h"
#include "engine/Transformations.h"
#include "engine/UserMaps.h"
#include "support/LogCapture.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::LogCapture;

CGPoint sentinelInverse(CGPoint p) {
    return {p.x + 1000.0, p.y};
}

std::complex<double> asComplex(CGPoint p) {
    return {p.x, p.y};
}

void expectNear(CGPoint actual, std::complex<double> expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.real(), tolerance);
    EXPECT_NEAR(actual.y, expected.imag(), tolerance);
}

// Compares doubles exactly, telling -0 from +0.
void expectSameBits(double actual, double expected) {
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << actual << " vs " << expected;
}

TEST(Catalogue, ProcessStartsWithNoFunctionAndTheIdentityAsInverse) {
    Transformations t;
    EXPECT_EQ(engine::func, nullptr);
    EXPECT_EQ(engine::funcinv, nullptr);
    EXPECT_FALSE(t.hasInverse());
    const CGPoint w = t.transformInv({0.25, -3.5});
    EXPECT_EQ(w, (CGPoint{0.25, -3.5}));
}

TEST(Catalogue, EveryTitleSelectsItsFunctionAndOnlyTheInvertibleOnesReplaceTheInverse) {
    struct Row {
        const char* title;
        ComplexFunction forward;
        ComplexFunction inverse;  // null: left as it was
    };
    const std::vector<Row> rows = {
        {"Identity", identity, identity},
        {"Exponentiate", exponentiate, nullptr},
        {"Square", square, nullptr},
        {"Cube", cube, nullptr},
        {"Fourth Power", biquadrant, nullptr},
        {"Hyperbolic Plane To Disk", hyperbolic, inverseHyperbolic},
        {"Hyperbolic Disk to Plane", inverseHyperbolic, hyperbolic},
        {"Invert", invert, invert},
        {"Negate", negate, negate},
        {"Sin", csin, nullptr},
        {"Cos", ccos, nullptr},
        {"Tan", ctan, nullptr},
        {"Sinh", csinh, nullptr},
        {"Cosh", ccosh, nullptr},
        {"Tanh", ctanh, nullptr},
        {"exp(1/z)", expinv, nullptr},
        {"1/(exp(1/z)-1)", expnoniso, nullptr},
        {"Custom Function", custom, nullptr},
    };
    LogCapture log;
    Transformations t;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        engine::funcinv = sentinelInverse;
        t.setFunction(row.title);
        EXPECT_EQ(engine::func, row.forward);
        const bool invertible = row.inverse != nullptr;
        EXPECT_EQ(engine::funcinv, invertible ? row.inverse : sentinelInverse);
        EXPECT_EQ(t.hasInverse(), invertible);
    }
    EXPECT_TRUE(log.lines.empty());
}

TEST(Catalogue, TheTableHoldsTheMenuInOrderOnceEachAndSaysWhichHaveAnInverse) {
    const std::vector<std::string> menu = {"Identity",
                                           "Exponentiate",
                                           "Square",
                                           "Cube",
                                           "Fourth Power",
                                           "Hyperbolic Plane To Disk",
                                           "Hyperbolic Disk to Plane",
                                           "Invert",
                                           "Negate",
                                           "Sin",
                                           "Cos",
                                           "Tan",
                                           "Sinh",
                                           "Cosh",
                                           "Tanh",
                                           "exp(1/z)",
                                           "1/(exp(1/z)-1)",
                                           "Custom Function"};
    const auto& table = catalogue::functions();
    ASSERT_EQ(table.size(), menu.size());
    std::set<std::string> seen;
    Transformations t;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const catalogue::Entry& entry = table[i];
        SCOPED_TRACE(entry.title);
        EXPECT_EQ(entry.title, menu[i]);
        EXPECT_TRUE(seen.insert(entry.title).second);
        EXPECT_EQ(catalogue::find(entry.title), &entry);
        // The Help window's line names the inverse exactly when the engine offers one.
        const std::string help = entry.help;
        const bool saysNone = help.ends_with("; no inverse");
        EXPECT_NE(saysNone, help.find("; inverse: ") != std::string::npos);
        t.setFunction(entry.title);
        EXPECT_EQ(t.hasInverse(), entry.inverse != nullptr);
        EXPECT_EQ(t.hasInverse(), !saysNone);
    }
    EXPECT_EQ(catalogue::find("Hyperbolic Disk To Plane"), nullptr);
    EXPECT_EQ(catalogue::find("Square "), nullptr);
    EXPECT_STREQ(catalogue::kInitialTitle, "Exponentiate");

    // A session names the typed maps so; nothing else is one.
    for (const char* name : {"usersMobiusMap", "usersPolynomial", "usersAffineMap"}) {
        EXPECT_TRUE(catalogue::isUserMapName(name)) << name;
    }
    EXPECT_STREQ(catalogue::kMobiusMap, "usersMobiusMap");
    EXPECT_STREQ(catalogue::kPolynomial, "usersPolynomial");
    EXPECT_STREQ(catalogue::kAffineMap, "usersAffineMap");
    for (const char* name : {"usersmobiusmap", "Identity", "", "usersAffineMap "}) {
        EXPECT_FALSE(catalogue::isUserMapName(name)) << name;
    }
}

TEST(Catalogue, TitlesOutsideTheCatalogueLogAndBehaveAsIdentity) {
    Transformations t;
    for (const std::string title : {"identity", "Hyperbolic Disk To Plane", "", "Square "}) {
        SCOPED_TRACE("title '" + title + "'");
        LogCapture log;
        t.setFunction("Square");
        engine::funcinv = sentinelInverse;
        t.setFunction(title);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_EQ(log.lines[0],
                  "unknown function specifed, namely " + title + ", behaving as identity");
        EXPECT_EQ(engine::func, identity);
        EXPECT_EQ(engine::funcinv, identity);
        EXPECT_TRUE(t.hasInverse());
    }
}

TEST(Catalogue, AStaleInverseIsKeptButNotOffered) {
    Transformations t;
    t.setFunction("Invert");
    t.setFunction("Exponentiate");
    EXPECT_EQ(engine::func, exponentiate);
    EXPECT_EQ(engine::funcinv, invert);
    EXPECT_FALSE(t.hasInverse());

    t.setFunction("Hyperbolic Disk to Plane");
    EXPECT_EQ(engine::func, inverseHyperbolic);
    EXPECT_EQ(engine::funcinv, hyperbolic);
    EXPECT_TRUE(t.hasInverse());
}

TEST(Catalogue, TransformAndTransformInvApplyTheCurrentPair) {
    Transformations t;
    t.setFunction("Negate");
    EXPECT_EQ(t.transform({1, 2}), (CGPoint{-1, -2}));
    EXPECT_EQ(t.transformInv({1, 2}), (CGPoint{-1, -2}));

    // Every Transformations object shares the one pair.
    Transformations other;
    other.setFunction("Square");
    EXPECT_EQ(t.transform({1, 2}), (CGPoint{-3, 4}));
}

TEST(Invert, ZeroAtProcessStartGivesOriginThenTheLastGoodResult) {
    LogCapture log;
    EXPECT_EQ(invert({0, 0}), (CGPoint{0, 0}));
    EXPECT_EQ(log.lines, std::vector<std::string>{"invert: Division by zero!"});

    EXPECT_EQ(invert({0.5, 0}), (CGPoint{2, 0}));
    EXPECT_EQ(engine::lastGoodPoint, (CGPoint{2, 0}));
    EXPECT_EQ(invert({0, 0}), (CGPoint{2, 0}));
    EXPECT_EQ(log.count("invert: Division by zero!"), 2u);
}

TEST(Invert, TheZeroTestIsMadeInSinglePrecisionButTheDivisionInDouble) {
    LogCapture log;
    invert({0.5, 0});
    // 1e-46 underflows to zero as a float.
    EXPECT_EQ(invert({1e-23, 0}), (CGPoint{2, 0}));
    EXPECT_EQ(log.count("invert: Division by zero!"), 1u);

    const double x = 1e-22;
    const CGPoint w = invert({x, 0});
    expectSameBits(w.x, x / (x * x));
    expectSameBits(w.y, -0.0);
    EXPECT_NEAR(w.x, 1e22, 1e8);
    EXPECT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(engine::lastGoodPoint, w);

    const CGPoint v = invert({3, 4});
    EXPECT_DOUBLE_EQ(v.x, 0.12);
    EXPECT_DOUBLE_EQ(v.y, -0.16);
}

TEST(Hyperbolic, CayleyMapAndItsInverseAtTheirSimplePoints) {
    LogCapture log;
    EXPECT_EQ(hyperbolic({0, 0}), (CGPoint{-1, 0}));
    EXPECT_EQ(hyperbolic({1, 0}), (CGPoint{0, -1}));
    EXPECT_EQ(inverseHyperbolic({0, 0}), (CGPoint{0, 1}));
    EXPECT_EQ(inverseHyperbolic({0, -1}), (CGPoint{1, 0}));
    EXPECT_TRUE(log.lines.empty());
}

TEST(Hyperbolic, DenominatorsAreRoundedToSinglePrecision) {
    const double x = 0.1, y = 0.2;
    const double dh = static_cast<float>(x * x + y * y + (y + y) + 1);
    const CGPoint h = hyperbolic({x, y});
    EXPECT_EQ(h.x, (x * x + y * y - 1) / dh);
    EXPECT_EQ(h.y, (-2 * x) / dh);
    // The rounding is visible here: the exact quotient differs.
    const std::complex<double> exact = (asComplex({x, y}) - std::complex<double>(0, 1)) /
                                       (asComplex({x, y}) + std::complex<double>(0, 1));
    EXPECT_NE(h.x, exact.real());
    EXPECT_NEAR(h.x, exact.real(), 1e-6);
    EXPECT_NEAR(h.y, exact.imag(), 1e-6);

    const double di = static_cast<float>(x * x + y * y + (-2) * x + 1);
    const CGPoint g = inverseHyperbolic({x, y});
    EXPECT_EQ(g.x, (-2 * y) / di);
    EXPECT_EQ(g.y, -(x * x - 1 + y * y) / di);
    const std::complex<double> z = asComplex({x, y});
    expectNear(g, std::complex<double>(0, 1) * (1.0 + z) / (1.0 - z), 1e-6);

    // Each undoes the other up to that rounding.
    const CGPoint back = inverseHyperbolic(hyperbolic({0.3, 0.7}));
    EXPECT_NEAR(back.x, 0.3, 1e-6);
    EXPECT_NEAR(back.y, 0.7, 1e-6);
}

TEST(Hyperbolic, PolesLogAndStillReturnAFinitePoint) {
    LogCapture log;
    const CGPoint h = hyperbolic({0, -1});
    const CGPoint g = inverseHyperbolic({1, 0});
    EXPECT_EQ(log.count("hyperbolic: Division by zero!"), 2u);
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_TRUE(std::isfinite(h.x) && std::isfinite(h.y));
    EXPECT_TRUE(std::isfinite(g.x) && std::isfinite(g.y));
}

TEST(BuiltIns, PolynomialsAndExponentialAgreeWithComplexArithmetic) {
    EXPECT_EQ(identity({0.3, -0.7}), (CGPoint{0.3, -0.7}));
    EXPECT_EQ(square({1, 2}), (CGPoint{-3, 4}));
    EXPECT_EQ(cube({1, 1}), (CGPoint{-2, 2}));
    EXPECT_EQ(biquadrant({1, 1}), (CGPoint{-4, 0}));
    EXPECT_EQ(biquadrant({2, 0}), (CGPoint{16, 0}));
    for (const CGPoint z : {CGPoint{0.3, 0.7}, CGPoint{-1.25, 0.5}, CGPoint{2, -3}}) {
        const std::complex<double> c = asComplex(z);
        expectNear(square(z), c * c, 1e-12);
        expectNear(cube(z), c * c * c, 1e-12);
        expectNear(biquadrant(z), c * c * c * c, 1e-11);
        expectNear(exponentiate(z), std::exp(c), 1e-12);
    }
    EXPECT_EQ(exponentiate({0, 0}), (CGPoint{1, 0}));
}

TEST(BuiltIns, NegateFlipsSigns) {
    const CGPoint w = negate({0, 0});
    expectSameBits(w.x, -0.0);
    expectSameBits(w.y, -0.0);
    EXPECT_EQ(negate({1.5, -2}), (CGPoint{-1.5, 2}));
}

TEST(BuiltIns, TrigonometricAndHyperbolicFunctions) {
    const CGPoint z{0.3, 0.7};
    EXPECT_NEAR(ccos(z).x, 1.199109, 1e-6);
    EXPECT_NEAR(ccos(z).y, -0.224177, 1e-6);
    EXPECT_NEAR(csin(z).x, 0.370928, 1e-6);
    EXPECT_NEAR(csin(z).y, 0.724703, 1e-6);
    EXPECT_NEAR(ctan(z).x, 0.189717, 1e-6);
    EXPECT_NEAR(ctan(z).y, 0.639836, 1e-6);
    for (const CGPoint p : {CGPoint{0.3, 0.7}, CGPoint{-1.1, 0.4}, CGPoint{2.5, -1.5}}) {
        const std::complex<double> c = asComplex(p);
        expectNear(csin(p), std::sin(c), 1e-12);
        expectNear(ccos(p), std::cos(c), 1e-12);
        expectNear(csinh(p), std::sinh(c), 1e-12);
        expectNear(ccosh(p), std::cosh(c), 1e-12);
        expectNear(ctan(p), std::tan(c), 1e-6);
        expectNear(ctanh(p), std::tanh(c), 1e-6);
    }
}

TEST(BuiltIns, TanAndTanhDivideByASinglePrecisionDenominator) {
    // Read at run time, so that the library computes sinh and cosh here as it does in the
    // engine, rather than the compiler folding them with its own rounding.
    volatile double vx = 0.3, vy = 0.7;
    const double x = vx, y = vy;
    const double dt = static_cast<float>(std::cos(x) * std::cos(x) + std::sinh(y) * std::sinh(y));
    const CGPoint t = ctan({x, y});
    EXPECT_EQ(t.x, std::sin(x) * std::cos(x) / dt);
    EXPECT_EQ(t.y, std::sinh(y) * std::cosh(y) / dt);
    EXPECT_NE(t.x, std::tan(std::complex<double>(x, y)).real());

    const double dh = static_cast<float>(std::sinh(x) * std::sinh(x) + std::cos(y) * std::cos(y));
    const CGPoint h = ctanh({x, y});
    EXPECT_EQ(h.x, std::sinh(x) * std::cosh(x) / dh);
    EXPECT_EQ(h.y, std::sin(y) * std::cos(y) / dh);
}

TEST(BuiltIns, ExpOfReciprocalAtZeroLogsWithoutTouchingTheLastGoodPoint) {
    LogCapture log;
    invert({0.5, 0});
    const CGPoint w = expinv({0, 0});
    EXPECT_EQ(log.lines, std::vector<std::string>{"invert: Division by zero!"});
    EXPECT_TRUE(std::isfinite(w.x) && std::isfinite(w.y));
    EXPECT_EQ(engine::lastGoodPoint, (CGPoint{2, 0}));

    expectNear(expinv({0.3, 0.7}), std::exp(1.0 / std::complex<double>(0.3, 0.7)), 1e-12);
    EXPECT_EQ(engine::lastGoodPoint, (CGPoint{2, 0}));
}

TEST(BuiltIns, ExpNonIsoFailsAtZeroAndGoesThroughInvertElsewhere) {
    LogCapture log;
    EXPECT_EQ(expnoniso({0, 0}), (CGPoint{0, 0}));
    EXPECT_EQ(log.lines, std::vector<std::string>{"expnoniso failure"});
    log.clear();

    const CGPoint w = expnoniso({0.3, 0.7});
    EXPECT_NEAR(w.x, -0.153832, 1e-6);
    EXPECT_NEAR(w.y, 0.598391, 1e-6);
    EXPECT_TRUE(log.lines.empty());
    // The last step is invert, which remembers its result.
    EXPECT_EQ(engine::lastGoodPoint, w);
}

TEST(BuiltIns, ExpNonIsoFailsWhereTheExponentialIsExactlyOne) {
    LogCapture log;
    // 1/z = 1e-20 is too small to move e^(1/z) off 1 in double precision.
    const CGPoint w = expnoniso({1e20, 0});
    EXPECT_EQ(w, (CGPoint{0, 0}));
    EXPECT_EQ(log.lines, std::vector<std::string>{"expnoniso failure"});
}

TEST(BuiltIns, CustomMapsEachCoordinateWithoutATest) {
    LogCapture log;
    const CGPoint w = custom({0, 1});
    EXPECT_EQ(w.x, std::numeric_limits<double>::infinity());
    EXPECT_EQ(w.y, 2.0);
    EXPECT_EQ(custom({2, -0.5}), (CGPoint{2.5, -2.5}));
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace zw
