// The walks that place marks, gridlines and shading boxes: positions stepped out from the
// plane's origin, kept within reach of the view.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "planes/Walk.h"

namespace zw {
namespace {

std::vector<double> positions(const Walk& walk) {
    std::vector<double> result;
    for (long long n = 0; n < walk.steps(); ++n) {
        result.push_back(walk.at(n));
    }
    return result;
}

// The same walk taken one step at a time, keeping what lies within [lo, hi].
std::vector<double> accumulated(double p0, double delta, int count, double lo, double hi) {
    std::vector<double> result;
    double at = p0;
    for (int k = 0; k < count; ++k) {
        if (at >= lo && at <= hi) {
            result.push_back(at);
        }
        at += delta;
    }
    return result;
}

// Within reach of the view, every position is bit for bit the one the step-by-step sum gives,
// in the walk's own order, whichever end the window cuts.
TEST(WalkTest, StepsWithinAWindowAreThoseOfTheStepByStepSum) {
    std::vector<double> origins = {3.5, -0.125, 437.75, -1234.0, 1e6 + 0.25};
    for (double p0 = -1000; p0 <= 1000; p0 += 4) {
        origins.push_back(p0);
    }
    int walks = 0;
    for (const double p0 : origins) {
        for (const double delta : {50.0, -50.0, 100.0, -100.0, 2.0, -4.0}) {
            for (const int count : {0, 1, 2, 11, 40, 900}) {
                for (const auto& [lo, hi] :
                     {std::pair{-400.0, 800.0}, {-1000.0, 2000.0}, {-2.0, 404.0}, {10.0, 10.0}}) {
                    const Walk walk = Walk::stepsWithin(p0, delta, count, lo, hi);
                    ASSERT_EQ(positions(walk), accumulated(p0, delta, count, lo, hi))
                        << p0 << " by " << delta << " x" << count << " in [" << lo << ", " << hi
                        << "]";
                    ++walks;
                }
            }
        }
    }
    EXPECT_EQ(walks, 506 * 6 * 6 * 4);
    EXPECT_TRUE(Walk::stepsWithin(0, 0, 10, -1, 1).empty());
    EXPECT_TRUE(Walk::stepsWithin(NAN, 50, 10, -1e9, 1e9).empty());
    EXPECT_TRUE(Walk::stepsWithin(0, 50, 10, 1, -1).empty());
}

// An origin so far away that a step no longer shows in its coordinate: the walk keeps only the
// steps near the window, evenly spaced on the origin's lattice, and still covers the window.
TEST(WalkTest, AFarOriginStillLaysItsLatticeOverTheWindow) {
    for (const double p0 : {1e31, -3e30, 3e17 + 64, -0x1p60, 7e12 + 0.5}) {
        for (const double d : {50.0, 4.0}) {
            const double delta = p0 > 0 ? -d : d;  // toward the window
            const double count = Walk::countBelow(std::fabs(p0) / d + 1000);
            const Walk walk = Walk::stepsWithin(p0, delta, count, -400, 800);
            ASSERT_FALSE(walk.empty()) << p0;
            EXPECT_LE(walk.steps(), static_cast<long long>(1200 / d) + 1) << p0;
            const std::vector<double> at = positions(walk);
            // The first lies within one step of the window's far side, the last of its near side.
            EXPECT_LE(std::fabs(at.front() - (delta < 0 ? 800 : -400)), d) << p0;
            EXPECT_LE(std::fabs(at.back() - (delta < 0 ? -400 : 800)), d) << p0;
            const double phase = std::fmod(p0, d);
            for (std::size_t i = 0; i < at.size(); ++i) {
                ASSERT_GE(at[i], -400);
                ASSERT_LE(at[i], 800);
                ASSERT_EQ(std::fmod(at[i] - phase, d), 0.0) << p0 << " " << at[i];
                if (i > 0) {
                    ASSERT_EQ(at[i] - at[i - 1], delta);
                }
            }
        }
    }
}

// The gridlines mapped into the other plane against their walk taken step by step from the
// axis, over sizes, translations and zooms (a zoom doubles the translation): lines before the
// near edge are skipped, and the walk stops a view past the far one.
TEST(WalkTest, MappedGridlinesStepExactlyFromTheAxis) {
    for (const int size : {400, 401, 300, 37, 1000}) {
        for (const double t0 : {0.0, 37.5, -12.25, 250.0, -250.0, 799.5, 0.375}) {
            for (int zooms = 0; zooms <= 6; ++zooms) {
                const double t = std::ldexp(t0, zooms);
                for (const int side : {1, -1}) {
                    std::vector<double> rows;
                    double at = t + size / 2;
                    for (int i = 0; (size / 2 - t * side) / 50 > i; ++i) {
                        if (at >= 0 && at <= 2.0 * size) {
                            rows.push_back(at);
                        }
                        at += 50.0 * side;
                    }
                    ASSERT_EQ(positions(Walk::gridlines({size, t}, side)), rows)
                        << size << " " << t << " " << side;
                }
            }
        }
    }
}

}  // namespace
}  // namespace zw
