// The maps whose coefficients the user types in: how they are stored, installed and evaluated.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "engine/ComplexFunctions.h"
#include "engine/Transformations.h"
#include "engine/UserMaps.h"
#include "support/LogCapture.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::LogCapture;
using cd = std::complex<double>;

// Kept out of line: GCC 12.2 at -O2 folds a vectorised pair of double -> float -> double
// round trips into nothing, which would make the expected values unrounded.
[[gnu::noinline]] double single(double v) {
    return static_cast<double>(static_cast<float>(v));
}

struct Coefficients {
    float aR, aI, bR, bI, cR, cI, dR, dI;
};

void install(Transformations& t, const std::string& name, const Coefficients& k) {
    t.setParameters(name, k.aR, k.aI, k.bR, k.bI, k.cR, k.cI, k.dR, k.dI);
}

void expectNear(CGPoint actual, cd expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.real(), tolerance);
    EXPECT_NEAR(actual.y, expected.imag(), tolerance);
}

// The Möbius map as its expanded single-precision sums, term by term in the given order.
CGPoint mobiusAsExpandedSums(const Coefficients& k, CGPoint z) {
    const float x = static_cast<float>(z.x), y = static_cast<float>(z.y);
    const float aR = k.aR, aI = k.aI, bR = k.bR, bI = k.bI, cR = k.cR, cI = k.cI, dR = k.dR,
                dI = k.dI;
    float den = cR * cR * x * x;
    for (float term :
         {dR * (2 * cR * x), cI * cI * y * y, dR * (-2 * cI * y), dR * dR, cR * cR * y * y,
          dI * (2 * cR * y), cI * cI * x * x, dI * (2 * cI * x), dI * dI}) {
        den += term;
    }
    float p = aR * x * x * cR;
    for (float term : {dR * aR * x, cI * aI * y * y, -(dR * aI * y), cR * bR * x, -(cI * bR * y),
                       dR * bR, cR * aR * y * y, dI * aR * y, cI * aI * x * x, dI * aI * x,
                       cR * bI * y, cI * bI * x, dI * bI}) {
        p += term;
    }
    float q = -aR * x * x * cI;
    for (float term : {-(dI * aR * x), cR * aI * y * y, dI * aI * y, -(cR * bR * y), -(cI * bR * x),
                       -(dI * bR), -(cI * aR * y * y), dR * aR * y, cR * aI * x * x, dR * aI * x,
                       cR * bI * x, -(cI * bI * y), dR * bI}) {
        q += term;
    }
    return {static_cast<double>(p / den), static_cast<double>(q / den)};
}

TEST(MobiusMap, IdentityCoefficientsGiveThePointRoundedToSinglePrecision) {
    Transformations t;
    LogCapture log;
    t.setParameters("usersMobiusMap", 1, 0, 0, 0, 0, 0, 1, 0);
    EXPECT_EQ(engine::func, usersMobiusMap);
    EXPECT_EQ(engine::funcinv, inverseUsersMobiusMap);
    EXPECT_TRUE(t.hasInverse());
    for (const CGPoint z : {CGPoint{0.1, 0.2}, CGPoint{-3.3, 7.7}, CGPoint{1e-3, -1e3}}) {
        const CGPoint rounded{single(z.x), single(z.y)};
        EXPECT_EQ(t.transform(z), rounded);
        EXPECT_EQ(t.transformInv(z), rounded);
    }
    EXPECT_TRUE(log.lines.empty());
}

TEST(MobiusMap, ReciprocalCoefficientsInvertAndLogAtThePole) {
    Transformations t;
    LogCapture log;
    t.setParameters("usersMobiusMap", 0, 0, 1, 0, 1, 0, 0, 0);
    EXPECT_EQ(t.transform({2, 0}), (CGPoint{0.5, 0}));
    EXPECT_EQ(t.transform({0, 2}), (CGPoint{0, -0.5}));
    EXPECT_TRUE(log.lines.empty());

    const CGPoint w = t.transform({0, 0});
    EXPECT_EQ(log.lines, std::vector<std::string>{"usersMobiusMap: Division by zero!"});
    EXPECT_TRUE(std::isfinite(w.x) && std::isfinite(w.y));
    // The inverse of 1/z is 1/z, with its pole at 0 as well.
    t.transformInv({0, 0});
    EXPECT_EQ(log.count("usersMobiusMap: Division by zero!"), 2u);
}

TEST(MobiusMap, AllZeroCoefficientsLogForEveryPoint) {
    Transformations t;
    LogCapture log;
    t.setParameters("usersMobiusMap", 0, 0, 0, 0, 0, 0, 0, 0);
    for (const CGPoint z : {CGPoint{0, 0}, CGPoint{1, 1}, CGPoint{-5, 2}}) {
        const CGPoint w = t.transform(z);
        EXPECT_TRUE(std::isfinite(w.x) && std::isfinite(w.y));
    }
    EXPECT_EQ(log.count("usersMobiusMap: Division by zero!"), 3u);
}

TEST(MobiusMap, GeneralCoefficientsMatchTheComplexQuotientAndItsInverse) {
    Transformations t;
    const Coefficients k{1.5f, -0.5f, 2.0f, 1.0f, 0.25f, 0.75f, -1.0f, 0.5f};
    install(t, "usersMobiusMap", k);
    const cd a(k.aR, k.aI), b(k.bR, k.bI), c(k.cR, k.cI), d(k.dR, k.dI);
    for (const CGPoint z : {CGPoint{0.3, 0.7}, CGPoint{-1.2, 0.4}, CGPoint{2.0, -3.0}}) {
        SCOPED_TRACE(z.x);
        const cd zc(single(z.x), single(z.y));
        const CGPoint w = t.transform(z);
        const cd expected = (a * zc + b) / (c * zc + d);
        expectNear(w, expected, 1e-5 * std::abs(expected) + 1e-6);

        const CGPoint back = t.transformInv(w);
        EXPECT_NEAR(back.x, z.x, 1e-4);
        EXPECT_NEAR(back.y, z.y, 1e-4);
        const cd wc(single(w.x), single(w.y));
        expectNear(back, (d * wc - b) / (a - c * wc), 1e-4);
    }
}

// Within one term the grouping of factors is free, so the result is compared with the
// expanded single-precision sums to a few units in the last place, and it must itself be a
// single-precision value.
TEST(MobiusMap, IsEvaluatedInSinglePrecision) {
    Transformations t;
    const Coefficients k{1.1f, -0.3f, 0.7f, 2.9f, 0.45f, 1.3f, -2.2f, 0.15f};
    install(t, "usersMobiusMap", k);
    const cd a(k.aR, k.aI), b(k.bR, k.bI), c(k.cR, k.cI), d(k.dR, k.dI);
    bool differsFromDouble = false;
    for (const CGPoint z : {CGPoint{0.123456789, -0.987654321}, CGPoint{3.14159, 2.71828},
                            CGPoint{-0.7071, 0.0001}}) {
        const CGPoint w = t.transform(z);
        const CGPoint reference = mobiusAsExpandedSums(k, z);
        EXPECT_EQ(single(w.x), w.x);
        EXPECT_EQ(single(w.y), w.y);
        EXPECT_NEAR(w.x, reference.x, 4 * std::abs(reference.x) * 0x1p-23);
        EXPECT_NEAR(w.y, reference.y, 4 * std::abs(reference.y) * 0x1p-23);
        const cd zc(single(z.x), single(z.y));
        const cd exact = (a * zc + b) / (c * zc + d);
        differsFromDouble = differsFromDouble || w.x != exact.real() || w.y != exact.imag();

        const CGPoint back = t.transformInv(w);
        EXPECT_EQ(single(back.x), back.x);
        EXPECT_EQ(single(back.y), back.y);
    }
    EXPECT_TRUE(differsFromDouble);

    install(t, "usersPolynomial", k);
    const CGPoint p = t.transform({0.123456789, -0.987654321});
    EXPECT_EQ(single(p.x), p.x);
    EXPECT_EQ(single(p.y), p.y);
}

TEST(Polynomial, OnlyTheLinearCoefficientGivesTheRoundedPointAndKeepsTheOldInverse) {
    Transformations t;
    t.setFunction("Invert");
    LogCapture log;
    t.setParameters("usersPolynomial", 0, 0, 0, 0, 1, 0, 0, 0);
    EXPECT_EQ(engine::func, usersPolynomial);
    EXPECT_EQ(engine::funcinv, invert);
    EXPECT_FALSE(t.hasInverse());
    EXPECT_EQ(t.transform({0.1, -0.2}), (CGPoint{single(0.1), single(-0.2)}));
    EXPECT_TRUE(log.lines.empty());
}

TEST(Polynomial, GeneralCoefficientsMatchTheCubic) {
    Transformations t;
    const Coefficients k{0.5f, -1.0f, 2.0f, 0.25f, -3.0f, 1.5f, 0.75f, -2.0f};
    install(t, "usersPolynomial", k);
    const cd a(k.aR, k.aI), b(k.bR, k.bI), c(k.cR, k.cI), d(k.dR, k.dI);
    for (const CGPoint z : {CGPoint{0.3, 0.7}, CGPoint{-1.25, 0.5}, CGPoint{2, -1}}) {
        const cd zc(single(z.x), single(z.y));
        const cd expected = a * zc * zc * zc + b * zc * zc + c * zc + d;
        expectNear(t.transform(z), expected, 1e-5 * (1 + std::abs(expected)));
    }
    // Whole numbers stay exact in single precision: (1+i)^3 = -2+2i, (1+i)^2 = 2i.
    t.setParameters("usersPolynomial", 1, 0, 1, 0, 1, 0, 1, 0);
    EXPECT_EQ(t.transform({1, 1}), (CGPoint{-2 + 0 + 1 + 1, 2 + 2 + 1 + 0}));
}

TEST(AffineMap, StoresTheDialogsLayoutLogsAndInvertsBack) {
    Transformations t;
    LogCapture log;
    t.setParameters("usersAffineMap", 1, 1, 2, 0, 7, 0, -9, 1);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0],
              "Transformations.setParameters here, setting affine parameters, a = 1.000000, "
              "b = 0.000000, c=0.000000, d=1.000000");
    EXPECT_EQ(engine::func, usersAffineMap);
    EXPECT_EQ(engine::funcinv, inverseUsersAffineMap);
    EXPECT_TRUE(t.hasInverse());
    EXPECT_EQ(t.transform({0.3, -0.7}), (CGPoint{0.3 + 1, -0.7 + 2}));
    const CGPoint back = t.transformInv({0.3 + 1, -0.7 + 2});
    EXPECT_DOUBLE_EQ(back.x, 0.3);
    EXPECT_DOUBLE_EQ(back.y, -0.7);
}

TEST(AffineMap, IsRealLinearWithTheMatrixColumnsInOrder) {
    Transformations t;
    LogCapture log;
    // a = 2, b = 3, c = 5, d = 7, u = 11, v = 13.
    t.setParameters("usersAffineMap", 11, 2, 13, 3, 0, 5, 0, 7);
    EXPECT_EQ(t.transform({1, 0}), (CGPoint{13, 16}));
    EXPECT_EQ(t.transform({0, 1}), (CGPoint{16, 20}));
    const CGPoint back = t.transformInv({13, 16});
    EXPECT_DOUBLE_EQ(back.x, 1);
    EXPECT_NEAR(back.y, 0, 1e-15);
    EXPECT_EQ(log.lines[0],
              "Transformations.setParameters here, setting affine parameters, a = 2.000000, "
              "b = 3.000000, c=5.000000, d=7.000000");
}

TEST(AffineMap, ASingularMatrixStillCountsAsInvertibleButGivesNoFiniteInverse) {
    Transformations t;
    LogCapture log;
    t.setParameters("usersAffineMap", 0, 1, 0, 2, 0, 2, 0, 4);
    EXPECT_TRUE(t.hasInverse());
    for (const CGPoint w : {CGPoint{0, 0}, CGPoint{1, 2}, CGPoint{-3, 0.5}}) {
        const CGPoint z = t.transformInv(w);
        EXPECT_FALSE(std::isfinite(z.x) && std::isfinite(z.y));
    }
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST(UserMaps, AnUnknownNameLogsAndChangesNothing) {
    Transformations t;
    t.setParameters("usersMobiusMap", 1, 2, 3, 4, 5, 6, 7, 8);
    t.setFunction("Square");
    LogCapture log;
    t.setParameters("usersmobiusmap", 9, 9, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(log.lines,
              std::vector<std::string>{"setParameters called with unrecognisd function"});
    EXPECT_EQ(engine::func, square);
    EXPECT_EQ(engine::aRm, 1.0f);
    EXPECT_EQ(engine::dIm, 8.0f);
    EXPECT_EQ(engine::aRp, 0.0f);
}

TEST(UserMaps, TheThreeSetsAreIndependentAndSurviveCatalogueSelections) {
    Transformations t;
    LogCapture log;
    t.setParameters("usersMobiusMap", 1, 2, 3, 4, 5, 6, 7, 8);
    t.setParameters("usersPolynomial", -1, -2, -3, -4, -5, -6, -7, -8);
    t.setParameters("usersAffineMap", 10, 11, 12, 13, 14, 15, 16, 17);
    t.setFunction("Cos");
    const std::vector<float> mobius = {engine::aRm, engine::aIm, engine::bRm, engine::bIm,
                                       engine::cRm, engine::cIm, engine::dRm, engine::dIm};
    const std::vector<float> poly = {engine::aRp, engine::aIp, engine::bRp, engine::bIp,
                                     engine::cRp, engine::cIp, engine::dRp, engine::dIp};
    const std::vector<float> affine = {engine::a, engine::b, engine::c,
                                       engine::d, engine::u, engine::v};
    EXPECT_EQ(mobius, (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(poly, (std::vector<float>{-1, -2, -3, -4, -5, -6, -7, -8}));
    EXPECT_EQ(affine, (std::vector<float>{11, 13, 15, 17, 10, 12}));
    EXPECT_EQ(engine::func, ccos);
    // The Möbius inverse installed earlier is no longer replaced by later selections.
    EXPECT_EQ(engine::funcinv, inverseUsersAffineMap);
}

}  // namespace
}  // namespace zw
