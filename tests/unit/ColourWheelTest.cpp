// Colour-wheel shading: a hue circle that runs on across the negative real axis and tells arg
// from -arg, brightness bands with edges at the powers of two, and the domain's boxes coloured
// by it only when chosen.
#include <gtest/gtest.h>

#include <cmath>

#include "support/AppHarness.h"
#include "views/ColourWheel.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;

double distance(const Color& a, const Color& b) {
    return std::fabs(a.red() - b.red()) + std::fabs(a.green() - b.green()) +
           std::fabs(a.blue() - b.blue());
}

constexpr double kPi = 3.141592653589793;

TEST(ColourWheel, HueRunsOnAcrossTheNegativeRealAxisAndEverywhereElse) {
    EXPECT_LT(distance(ColourWheel::phase(kPi - 1e-9), ColourWheel::phase(-kPi + 1e-9)), 1e-6);
    // No jump anywhere around the circle: neighbours a degree apart are alike...
    const double step = kPi / 180.0;
    double largest = 0.0;
    for (int k = -180; k < 180; ++k) {
        largest = std::max(
            largest, distance(ColourWheel::phase(k * step), ColourWheel::phase((k + 1) * step)));
    }
    EXPECT_LT(largest, 0.05);
    // ...while arg and -arg, and opposite arguments, are told apart.
    for (double a : {0.5, kPi / 2, 2.5}) {
        EXPECT_GT(distance(ColourWheel::phase(a), ColourWheel::phase(-a)), 0.15) << a;
        EXPECT_GT(distance(ColourWheel::phase(a), ColourWheel::phase(a + kPi)), 0.3) << a;
    }
    // A full turn is the same colour; argument 0 is a red.
    EXPECT_LT(distance(ColourWheel::phase(1.0), ColourWheel::phase(1.0 + 2 * kPi)), 1e-6);
    const Color zero = ColourWheel::phase(0.0);
    EXPECT_GT(zero.red(), zero.green());
    EXPECT_GT(zero.red(), zero.blue());
}

TEST(ColourWheel, BandEdgesLieAtThePowersOfTwoWithZerosDarkAndPolesLight) {
    for (int k = -6; k <= 6; ++k) {
        const double edge = std::ldexp(1.0, k);
        const double below = ColourWheel::brightness(edge * (1 - 1e-6));
        const double above = ColourWheel::brightness(edge * (1 + 1e-6));
        EXPECT_GT(below - above, 0.1) << "edge 2^" << k;
        // Inside a band the brightness changes smoothly.
        const double a = ColourWheel::brightness(edge * 1.40);
        const double b = ColourWheel::brightness(edge * 1.41);
        EXPECT_LT(std::fabs(a - b), 0.01) << "inside band 2^" << k;
        EXPECT_NEAR(ColourWheel::bandPosition(edge * std::sqrt(2.0)), 0.5, 1e-9);
    }
    EXPECT_LT(ColourWheel::brightness(0.0), 0.2);
    EXPECT_LT(ColourWheel::brightness(1e-6), 0.2);
    EXPECT_GT(ColourWheel::brightness(1e6), 0.65);
    // The combined shading darkens the hue at each band's lower edge.
    const Color low = ColourWheel::shade({2.0 * (1 + 1e-6), 0.0}, true, true);
    const Color high = ColourWheel::shade({2.0 * (1 - 1e-6), 0.0}, true, true);
    EXPECT_GT(distance(high, low), 0.3);
}

class WheelShadingTest : public ::testing::Test {
  protected:
    std::vector<Color> boxColours(const std::string& function) {
        FakeSender item(function);
        app.controller.setFunction(&item);
        std::vector<Color> colours;
        for (const ColoredRect& box : app.domain->contours) {
            colours.push_back(box.color);
        }
        return colours;
    }
    AppHarness app;
};

TEST_F(WheelShadingTest, ZAndOneOverZDifferOnlyUnderTheWheel) {
    app.domain->showArguments = true;
    const auto classicZ = boxColours("Identity");
    const auto classicInverse = boxColours("Invert");
    ASSERT_FALSE(classicZ.empty());
    EXPECT_EQ(classicZ, classicInverse);

    app.domain->setShadingColours(ShadingColours::ColourWheel);
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    const auto wheelZ = boxColours("Identity");
    const auto wheelInverse = boxColours("Invert");
    ASSERT_EQ(wheelZ.size(), wheelInverse.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < wheelZ.size(); ++i) {
        differing += distance(wheelZ[i], wheelInverse[i]) > 0.05 ? 1 : 0;
    }
    EXPECT_GT(differing, wheelZ.size() / 2);
    // Each box of the wheel shows the hue of its own sample's image.
    const ColoredRect& box = app.domain->contours[123];
    const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates(
        {box.rect.origin.x + 2, box.rect.origin.y + 2});
    const CGPoint w = app.controller.transform(z);
    EXPECT_LT(distance(box.color, ColourWheel::phase(std::atan2(w.y, w.x))), 1e-6);

    app.domain->setShadingColours(ShadingColours::Classic);
    EXPECT_EQ(boxColours("Identity"), classicZ);
}

}  // namespace
}  // namespace zw
