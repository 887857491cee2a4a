// Going back from w to z: every preimage in a region, and following them along a path of w.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "engine/UserMaps.h"
#include "formula/FormulaParser.h"
#include "roots/Features.h"
#include "roots/Preimages.h"
#include "roots/Scanner.h"
#include "roots/SolverMaps.h"

namespace zw {
namespace {

using C = std::complex<double>;
using roots::Doubt;
using roots::PreimageSet;
constexpr double kPi = std::numbers::pi;

CGRect box(double x0, double x1, double y0, double y1) {
    return {{x0, y0}, {x1 - x0, y1 - y0}};
}

bool inside(C z, CGRect r) {
    return z.real() >= r.origin.x && z.real() <= r.origin.x + r.size.width &&
           z.imag() >= r.origin.y && z.imag() <= r.origin.y + r.size.height;
}

roots::Map formula(const std::string& text) {
    FormulaProgram program;
    FormulaError error;
    EXPECT_TRUE(FormulaParser::compile(text, "z", program, error)) << text;
    return roots::formulaMap(program);
}

// Every reported point is a preimage to the promised accuracy.
void expectAccurate(const roots::Map& f, C w, const PreimageSet& set, const std::string& what) {
    for (const roots::Preimage& p : set.points) {
        EXPECT_LE(std::abs(f(p.z).value - w), roots::kTolerance * (1 + std::abs(w)))
            << what << " at " << p.z;
    }
}

// The points are exactly the expected ones (those inside the region), once each.
void expectExactly(const PreimageSet& set, std::vector<C> expected, CGRect region,
                   const std::string& what) {
    std::erase_if(expected, [&](C z) { return !inside(z, region); });
    ASSERT_EQ(set.points.size(), expected.size()) << what;
    for (C z : expected) {
        int matches = 0;
        for (const roots::Preimage& p : set.points) {
            matches += std::abs(p.z - z) <= 1e-8 * (1 + std::abs(z)) && p.multiplicity == 1;
        }
        EXPECT_EQ(matches, 1) << what << ": " << z;
    }
    EXPECT_TRUE(set.certain) << what;
    EXPECT_EQ(set.doubt, Doubt::None) << what;
    EXPECT_EQ(set.leftOut, 0) << what;
}

void setCubic(C a, C b, C c, C d) {
    engine::aRp = static_cast<float>(a.real()), engine::aIp = static_cast<float>(a.imag());
    engine::bRp = static_cast<float>(b.real()), engine::bIp = static_cast<float>(b.imag());
    engine::cRp = static_cast<float>(c.real()), engine::cIp = static_cast<float>(c.imag());
    engine::dRp = static_cast<float>(d.real()), engine::dIp = static_cast<float>(d.imag());
}

TEST(Preimages, TheCubicHasExactlyThreeForRandomValues) {
    // z³ − z − 0.5i + 1: three distinct roots for every w but two.
    setCubic(1, 0, -1, {1, -0.5});
    const roots::Map f = roots::mapNamed("usersPolynomial");
    const CGRect region = box(-3, 3, -3, 3);
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> part(-2.0, 2.0);
    for (int k = 0; k < 1000; ++k) {
        const C w(part(random), part(random));
        const PreimageSet set = roots::findPreimages(f, w, region);
        ASSERT_EQ(set.points.size(), 3u) << w;
        EXPECT_TRUE(set.certain) << w;
        EXPECT_EQ(set.boundaryWinding, 3) << w;
        C sum = 0;
        for (const roots::Preimage& p : set.points) {
            EXPECT_EQ(p.multiplicity, 1);
            sum += p.z;
        }
        // The roots of a monic cubic with no z² term add up to 0.
        EXPECT_LT(std::abs(sum), 1e-8) << w;
        expectAccurate(f, w, set, "cubic");
    }
}

TEST(Preimages, CatalogueFunctionsGiveTheirAnalyticPreimages) {
    engine::aRm = 2, engine::aIm = 1, engine::bRm = -1, engine::bIm = 0.5f;
    engine::cRm = 0.5f, engine::cIm = -0.25f, engine::dRm = 1, engine::dIm = 2;
    struct Case {
        const char* name;
        C w;
        CGRect region;
        std::function<std::vector<C>(C)> preimages;
    };
    auto periodic = [](std::vector<C> bases, double period, int reach) {
        std::vector<C> all;
        for (C z : bases) {
            for (int k = -reach; k <= reach; ++k) {
                all.push_back(z + period * k);
            }
        }
        return all;
    };
    auto rootsOf = [](int n) {
        return [n](C w) {
            std::vector<C> all;
            for (int k = 0; k < n; ++k) {
                all.push_back(std::pow(w, 1.0 / n) * std::polar(1.0, 2 * kPi * k / n));
            }
            return all;
        };
    };
    const std::vector<Case> cases{
        {"Square", {2, 1}, box(-3, 3, -3, 3), rootsOf(2)},
        {"Cube", {-1, 2}, box(-3, 3, -2.5, 3.5), rootsOf(3)},
        {"Fourth Power", {0.5, -3}, box(-2, 2, -2, 2), rootsOf(4)},
        {"Exponentiate",
         {-2, 0.5},
         box(-3, 3, -20, 20),
         [](C w) {
             std::vector<C> all;
             for (int k = -5; k <= 5; ++k) {
                 all.push_back(std::log(w) + C(0, 2 * kPi * k));
             }
             return all;
         }},
        {"Sin",
         {0.7, 0.4},
         box(-12, 12, -3, 3),
         [&](C w) {
             return periodic({std::asin(w), kPi - std::asin(w)}, 2 * kPi, 3);
         }},
        {"Sin",
         {3, 0},
         box(-7, 7, -3, 3),
         [&](C w) {
             return periodic({std::asin(w), kPi - std::asin(w)}, 2 * kPi, 2);
         }},
        {"Cos",
         {-0.2, 1.5},
         box(-10, 10, -4, 4),
         [&](C w) {
             return periodic({std::acos(w), -std::acos(w)}, 2 * kPi, 3);
         }},
        {"Tan",
         {0.3, -0.8},
         box(-9, 9, -2, 2),
         [&](C w) { return periodic({std::atan(w)}, kPi, 4); }},
        // Near the poles: each preimage about 1e-4 from one, where a coarse scan sees only a
        // pole and a zero cancelling. (Much closer, tan's own rounding near its poles exceeds
        // the promised accuracy, and the answer says it is uncertain.)
        {"Tan",
         {1e4, 2e3},
         box(-9, 9, -2, 2),
         [&](C w) { return periodic({std::atan(w)}, kPi, 4); }},
        {"usersMobiusMap",
         {0.3, 0.9},
         box(-10, 10, -10, 10),
         [](C w) {
             const C a(2, 1), b(-1, 0.5), c(0.5, -0.25), d(1, 2);
             return std::vector<C>{(d * w - b) / (a - c * w)};
         }},
        {"Invert", {0.25, -0.5}, box(-3, 3, -3, 3), [](C w) { return std::vector<C>{1.0 / w}; }},
        {"Hyperbolic Plane To Disk",
         {0.2, 0.3},
         box(-3, 3, -3, 3),
         [](C w) { return std::vector<C>{C(0, 1) * (1.0 + w) / (1.0 - w)}; }},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.name) + " w = " + std::to_string(c.w.real());
        const roots::Map f = roots::mapNamed(c.name);
        const PreimageSet set = roots::findPreimages(f, c.w, c.region);
        expectExactly(set, c.preimages(c.w), c.region, what);
        expectAccurate(f, c.w, set, what);
    }
}

TEST(Preimages, MapsThatAreNotHolomorphicStillSolve) {
    // Affine with a non-zero determinant: one preimage, by Newton on the real Jacobian.
    engine::a = 2, engine::b = -1, engine::c = 0.5f, engine::d = 3, engine::u = 1, engine::v = -2;
    const roots::Map affine = roots::mapNamed("usersAffineMap");
    const C w(0.5, 0.25);
    const PreimageSet one = roots::findPreimages(affine, w, box(-5, 5, -5, 5));
    ASSERT_EQ(one.points.size(), 1u);
    expectAccurate(affine, w, one, "affine");
    // (x + 1/x) + i(y + 1/y) = 2.5 + 2.5i at x, y ∈ {2, 1/2}: four points.
    const roots::Map custom = roots::mapNamed("Custom Function");
    const PreimageSet four = roots::findPreimages(custom, {2.5, 2.5}, box(0.1, 3, 0.1, 3));
    expectExactly(four, {{2, 2}, {2, 0.5}, {0.5, 2}, {0.5, 0.5}}, box(0.1, 3, 0.1, 3), "custom");
    // A formula with no complex derivative finds nothing, and says so.
    const PreimageSet none =
        roots::findPreimages(formula("z + abs(z)/4"), {1, 1}, box(-3, 3, -3, 3));
    EXPECT_TRUE(none.points.empty());
    EXPECT_FALSE(none.certain);
    EXPECT_EQ(none.doubt, Doubt::NoDerivative);
}

TEST(Preimages, MultiplePreimagesAreReportedOnceWithTheirMultiplicity) {
    const PreimageSet square =
        roots::findPreimages(roots::mapNamed("Square"), 0, box(-1, 1, -1, 1));
    ASSERT_EQ(square.points.size(), 1u);
    EXPECT_EQ(square.points[0].multiplicity, 2);
    EXPECT_LT(std::abs(square.points[0].z), 1e-5);
    // (z² − 1)(z − 2 − i)²: a double preimage of 0 at 2 + i beside two simple ones.
    const PreimageSet mixed =
        roots::findPreimages(formula("(z^2 - 1)*(z - 2 - i)^2"), 0, box(-3, 3.2, -3, 3.3));
    ASSERT_EQ(mixed.points.size(), 3u);
    EXPECT_EQ(mixed.points[2].multiplicity, 2);
    EXPECT_LT(std::abs(mixed.points[2].z - C(2, 1)), 1e-5);
}

TEST(Preimages, HostileCasesAnswerWithinTheirBudget) {
    struct Case {
        std::string what;
        roots::Map f;
        C w;
        CGRect region;
        Doubt doubt;
    };
    const double nan = std::nan("");
    const std::vector<Case> cases{
        // Infinitely many preimages accumulate at the essential singularity.
        {"exp(1/z) at 0", roots::mapNamed("exp(1/z)"), {2, 1}, box(-1, 1, -1, 1), Doubt::TooMany},

        {"a pole and no preimage", roots::mapNamed("Invert"), 0, box(-1, 1, -1, 1), Doubt::None},
        {"constant, not w", formula("3 + 0*z"), 2, box(-1, 1, -1, 1), Doubt::None},
        {"constant w", formula("3 + 0*z"), 3, box(-1, 1, -1, 1), Doubt::Everywhere},
        {"NaN w", roots::mapNamed("Square"), {nan, 0}, box(-1, 1, -1, 1), Doubt::BadInput},
        {"NaN region", roots::mapNamed("Square"), 1, box(nan, 1, -1, 1), Doubt::BadInput},
        {"empty region", roots::mapNamed("Square"), 1, box(1, 1, -1, 1), Doubt::None},
        // Nothing but infinities to look at: no answer, and no pretending to have one.
        {"overflow everywhere", roots::mapNamed("Exponentiate"), 1, box(1e300, 2e300, 0, 1e300),
         Doubt::Unresolved},
        {"exp over a wide view",
         roots::mapNamed("Exponentiate"),
         {1, 1},
         box(-400, 400, -400, 400),
         Doubt::TooMany},
    };
    roots::PreimageOptions options;
    options.maxEvaluations = 100000;
    // Its zeros and poles pair up round 0, so a cell round 0 shows nothing on its edges: what
    // is outside that cell is found, and the answer comes within the budget.
    const roots::Map expnoniso = roots::mapNamed("1/(exp(1/z)-1)");
    const PreimageSet hidden = roots::findPreimages(expnoniso, 3, box(-1, 1, -1, 1), options);
    EXPECT_LE(hidden.evaluations, options.maxEvaluations);
    EXPECT_GE(hidden.points.size(), 12u);
    expectAccurate(expnoniso, 3, hidden, "1/(exp(1/z)-1)");
    for (const Case& c : cases) {
        const PreimageSet set = roots::findPreimages(c.f, c.w, c.region, options);
        EXPECT_LE(set.evaluations, options.maxEvaluations) << c.what;
        EXPECT_LE(set.points.size(), 64u) << c.what;
        expectAccurate(c.f, c.w, set, c.what);
        if (c.doubt == Doubt::TooMany) {
            // Counted to the end, stopped by the budget or unsure; never silently complete.
            EXPECT_NE(set.doubt, Doubt::None) << c.what;
            EXPECT_GE(set.points.size(), 32u) << c.what;
            EXPECT_FALSE(set.certain && set.leftOut == 0) << c.what;
        } else {
            EXPECT_EQ(set.doubt, c.doubt) << c.what;
        }
        if (c.doubt == Doubt::None) {
            EXPECT_TRUE(set.points.empty()) << c.what;
            EXPECT_TRUE(set.certain) << c.what;
        }
    }
}

// Round an essential singularity the zeros and poles of f − w crowd in, and a cell's edges can
// show as many of one as of the other, or look like a pole: such a cell is looked into, and an
// answer over it is never given as certain.
TEST(Preimages, NoAnswerIsCertainRoundAnEssentialSingularity) {
    struct Case {
        const char* f;
        C w;
        CGRect region;
    };
    const std::vector<Case> cases{
        {"1/(exp(1/z)-1)", 3, box(-1, 1, -1, 1)},
        {"1/(exp(1/z)-1)", 3, box(-1, 1.1, -1, 1.05)},
        {"1/(exp(1/z)-1)", {0.5, 0.2}, box(-2.3, 1.7, -1.3, 1.9)},
        {"1/(exp(1/z)-1)", {-2, 1}, box(-0.3, 3.7, -2.1, 1.4)},
        {"sin(1/z)", {0.5, 0.2}, box(-1, 1.1, -1, 1.05)},
        {"z*exp(1/z)", {2, 0.2}, box(-2.3, 1.7, -1.3, 1.9)},
        {"exp(1/z)", {-1, 2}, box(-0.6, 1.9, -1.2, 0.8)},
        {"tan(1/z)", {0.5, 0.2}, box(-1, 1.1, -1, 1.05)},
        {"tan(1/z)", {-2.37, 2.56}, box(-0.503, 0.085, -0.643, 0.167)},
        {"tan(1/z)", {-0.99, 2.71}, box(-1.624, 0.701, -0.893, 1.428)},
        {"tan(1/z)", {-1.82, 0.09}, box(-0.046, 0.506, -0.319, 0.226)},
    };
    roots::PreimageOptions options;
    options.maxEvaluations = 100000;
    for (const Case& c : cases) {
        const std::string what = std::string(c.f) + " at w = " + std::to_string(c.w.real());
        const roots::Map f = formula(c.f);
        const PreimageSet set = roots::findPreimages(f, c.w, c.region, options);
        EXPECT_FALSE(set.certain) << what;
        EXPECT_NE(set.doubt, Doubt::None) << what;
        EXPECT_LE(set.evaluations, options.maxEvaluations) << what;
        expectAccurate(f, c.w, set, what);
    }
    // A zero and a pole 2e-9 apart, in views up to 11 wide: parted and the preimage found, or
    // the answer is not certain.
    const roots::Map pair = formula("(z - 1e-9)/(z + 1e-9)");
    std::mt19937 random(19);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int k = 0; k < 40; ++k) {
        const double half = 0.5 + 5 * unit(random);
        const C w((unit(random) - 0.5) * 6, (unit(random) - 0.5) * 6);
        const CGRect region{{(unit(random) - 0.5) * 4 - half, (unit(random) - 0.5) * 4 - half},
                            {2 * half * (0.5 + unit(random)), 2 * half}};
        const PreimageSet set = roots::findPreimages(pair, w, region);
        const std::string what = "(z - 1e-9)/(z + 1e-9) #" + std::to_string(k);
        expectAccurate(pair, w, set, what);
        if (set.certain) {
            const C z = 1e-9 * (1.0 + w) / (1.0 - w);
            EXPECT_EQ(set.points.size(), inside(z, region) ? 1u : 0u) << what;
        }
    }
}

// What makes a cell look wild is also found beside a branch point, along a cut or by a pole:
// none of it may cost a certain answer its certainty.
TEST(Preimages, CutsAndNearbyPolesLeaveTheAnswerCertain) {
    struct Case {
        const char* f;
        std::function<std::vector<C>(C)> preimages;
    };
    const std::vector<Case> cases{
        {"log(z)", [](C w) { return std::vector<C>{std::exp(w)}; }},
        {"sqrt(z)", [](C w) { return w.real() > 0 ? std::vector<C>{w * w} : std::vector<C>{}; }},
        {"1/(z-0.5)^3",
         [](C w) {
             std::vector<C> all;
             for (int k = 0; k < 3; ++k) {
                 all.push_back(0.5 + std::pow(w, -1.0 / 3) * std::polar(1.0, 2 * kPi * k / 3));
             }
             return all;
         }},
    };
    std::mt19937 random(19);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (const Case& c : cases) {
        const roots::Map f = formula(c.f);
        for (int k = 0; k < 12; ++k) {
            // Views of every size up to 11 wide, most holding 0; w with |Im w| < π.
            const double half = 0.5 + 5 * unit(random);
            const C w((unit(random) - 0.5) * 6, (unit(random) - 0.5) * 6);
            const CGRect region{{(unit(random) - 0.5) * 4 - half, (unit(random) - 0.5) * 4 - half},
                                {2 * half * (0.5 + unit(random)), 2 * half}};
            const std::string what = std::string(c.f) + " #" + std::to_string(k);
            const PreimageSet set = roots::findPreimages(f, w, region);
            expectExactly(set, c.preimages(w), region, what);
            expectAccurate(f, w, set, what);
        }
    }
}

TEST(Preimages, HugeAndTinyRegionsFindWhatTheirPrecisionAllows) {
    const roots::Map f = formula("z^5 - z");
    roots::PreimageOptions options;
    options.maxEvaluations = 60000;
    for (int scale : {-100, -60, -20, 0, 20, 60, 100}) {
        for (double centre : {0.0, 0.75, 0x1p100, 0x1p900}) {
            const double s = std::ldexp(1.0, scale);
            const CGRect region = box(centre - 400 * s, centre + 400 * s, -400 * s, 400 * s);
            const C z0(centre + 123.25 * s, 37.5 * s);
            const C w = f(z0).value;
            const PreimageSet set = roots::findPreimages(f, w, region, options);
            const std::string what = "2^" + std::to_string(scale) + " at " + std::to_string(centre);
            EXPECT_LE(set.evaluations, options.maxEvaluations) << what;
            expectAccurate(f, w, set, what);
            // Where the region's coordinates and f's value are fine enough to tell z0 from its
            // neighbours, it is found.
            const bool resolvable = std::isfinite(std::abs(w)) && 400 * s > 0x1p-30 * (centre + 1);
            if (resolvable) {
                bool found = false;
                for (const roots::Preimage& p : set.points) {
                    found = found || std::abs(p.z - z0) <= 1e-6 * (std::abs(z0) + s);
                }
                EXPECT_TRUE(found) << what;
            }
        }
    }
}

// Follows a path of w from the preimages of its first point; who[k] is the index, in the first
// set, of the branch that the current point k continues (-1: it came from a fresh scan).
struct Walk {
    const roots::Map& f;
    CGRect region;
    PreimageSet set;
    std::vector<int> who;
    C w;

    Walk(const roots::Map& map, CGRect r, C start) : f(map), region(r), w(start) {
        set = roots::findPreimages(f, w, region);
        for (std::size_t k = 0; k < set.points.size(); ++k) {
            who.push_back(static_cast<int>(k));
        }
    }
    void to(C next) {
        PreimageSet moved = roots::continuePreimages(f, set, w, next, region);
        std::vector<int> now;
        for (const roots::Preimage& p : moved.points) {
            now.push_back(p.from >= 0 ? who[static_cast<std::size_t>(p.from)] : -1);
        }
        expectAccurate(f, next, moved, "continuation");
        set = moved;
        who = now;
        w = next;
    }
    int count() const {
        int n = 0;
        for (const roots::Preimage& p : set.points) {
            n += p.multiplicity;
        }
        return n;
    }
};

TEST(Continuation, LoopRoundACriticalValueSwapsTheBranchesOfTheSquare) {
    const roots::Map f = roots::mapNamed("Square");
    Walk walk(f, box(-2, 2, -2, 2), 1);
    ASSERT_EQ(walk.set.points.size(), 2u);  // −1, then 1
    for (int k = 1; k <= 32; ++k) {
        walk.to(std::polar(1.0, 2 * kPi * k / 32));
        ASSERT_EQ(walk.set.points.size(), 2u) << k;
        EXPECT_TRUE(walk.set.certain) << k;
        EXPECT_NE(walk.who[0], walk.who[1]) << k;
        EXPECT_GE(walk.who[0], 0) << k;
    }
    // Once round w = 0: the branch that set out from −1 ends at 1 and the other way round.
    for (std::size_t k = 0; k < 2; ++k) {
        const C z = walk.set.points[k].z;
        const int started = walk.who[k];
        EXPECT_LT(std::abs(z - (started == 0 ? C(1) : C(-1))), 1e-9) << z;
    }

    // Straight through w = 0: the two branches meet in a double point and part again.
    Walk line(f, box(-2, 2, -2, 2), -1);
    for (int k = -3; k <= 4; ++k) {
        line.to(k / 4.0);
        EXPECT_EQ(line.count(), 2) << k;
        for (int who : line.who) {
            EXPECT_GE(who, 0) << k;
        }
        if (k == 0) {
            ASSERT_EQ(line.set.points.size(), 1u);
            EXPECT_EQ(line.set.points[0].multiplicity, 2);
        }
    }
    ASSERT_EQ(line.set.points.size(), 2u);
    EXPECT_LT(std::abs(line.set.points[0].z - C(-1)), 1e-9);
    EXPECT_LT(std::abs(line.set.points[1].z - C(1)), 1e-9);
}

TEST(Continuation, ABranchThatLeavesTheRegionIsFoundAgainOnItsReturn) {
    const roots::Map f = roots::mapNamed("Square");
    const CGRect region = box(0.5, 2, -1, 1);
    Walk walk(f, region, 1);
    ASSERT_EQ(walk.set.points.size(), 1u);
    const std::vector<C> path{2, 4, 9, 6, 4, 2, 1};
    const std::vector<std::size_t> counts{1, 1, 0, 0, 1, 1, 1};
    for (std::size_t k = 0; k < path.size(); ++k) {
        walk.to(path[k]);
        ASSERT_EQ(walk.set.points.size(), counts[k]) << path[k];
        if (counts[k] == 1) {
            EXPECT_LT(std::abs(walk.set.points[0].z - std::sqrt(path[k])), 1e-9);
        }
    }
    // Back from outside it is a new branch; before leaving it was the first one.
    EXPECT_EQ(walk.who[0], -1);
}

// In small steps the edge's winding number is kept rather than walked again, only as long as
// no preimage can have reached the edge: one coming in from outside, which nothing follows, is
// still found as soon as it is inside, and one going out is let go.
TEST(Continuation, SmallStepsStillSeeABranchComeInAndGoOut) {
    const roots::Map f = roots::mapNamed("Square");
    const CGRect region = box(0.5, 2, -1, 1);
    for (const double direction : {-1.0, 1.0}) {
        SCOPED_TRACE(direction);
        const C start = direction < 0 ? 9.0 : 1.0;
        Walk walk(f, region, start);
        long evaluations = 0;
        for (int k = 1; k <= 160; ++k) {
            const C w = start + direction * 0.05 * k;
            walk.to(w);
            evaluations += walk.set.evaluations;
            if (std::fabs(std::sqrt(w.real()) - 2.0) < 1e-6) {
                continue;  // on the edge itself
            }
            ASSERT_EQ(walk.set.points.size(), std::sqrt(w.real()) < 2.0 ? 1u : 0u) << w;
        }
        // Well below walking the edge (164 samples and more) at every step.
        EXPECT_LT(evaluations, 160 * 100);
    }
}

TEST(Continuation, FollowingIsCheaperThanScanningAgain) {
    setCubic(1, 0, -1, {1, -0.5});
    const roots::Map f = roots::mapNamed("usersPolynomial");
    const CGRect region = box(-3, 3, -3, 3);
    const PreimageSet start = roots::findPreimages(f, {0.5, 0.5}, region);
    const PreimageSet moved = roots::continuePreimages(f, start, {0.5, 0.5}, {0.6, 0.45}, region);
    const PreimageSet fresh = roots::findPreimages(f, {0.6, 0.45}, region);
    ASSERT_EQ(moved.points.size(), 3u);
    EXPECT_TRUE(moved.certain);
    EXPECT_LT(moved.evaluations * 3, fresh.evaluations);
    for (const roots::Preimage& p : moved.points) {
        // Each continues the nearest of the previous ones.
        const C from = start.points[static_cast<std::size_t>(p.from)].z;
        for (const roots::Preimage& q : start.points) {
            EXPECT_LE(std::abs(p.z - from), std::abs(p.z - q.z) + 1e-12);
        }
    }
}

// The solver's own division agrees with the library's, also where its shortcut would
// overflow, underflow or meet infinities and NaN.
TEST(Preimages, TheSolversDivisionAgreesWithTheLibrarys) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<C, C> cases[] = {
        {{1, 2}, {3, -4}},
        {{-0.3, 1e-9}, {1e-7, 2.5}},
        {{1, 1}, {0x1p-600, 0x1p-601}},
        {{1, 1}, {0x1p600, -0x1p599}},
        {{0x1p1023, 1}, {3, 4}},
        {{0x1p-1070, 0}, {0.5, 0.25}},
        {{1, 0}, {0, 0}},
        {{1, 2}, {inf, 1}},
        {{nan, 1}, {1, 1}},
        {{1, 1}, {nan, 0}},
    };
    for (const auto& [r, a] : cases) {
        const C expected = r / a;
        const C got = roots::scanning::quotient(r, a);
        SCOPED_TRACE(testing::Message() << r << " / " << a << " = " << expected);
        for (const auto& [x, y] :
             {std::pair{got.real(), expected.real()}, std::pair{got.imag(), expected.imag()}}) {
            EXPECT_EQ(std::isnan(x), std::isnan(y)) << got;
            EXPECT_EQ(std::isinf(x), std::isinf(y)) << got;
            if (std::isfinite(y)) {
                EXPECT_LE(std::fabs(x - y), 8 * 0x1p-52 * std::abs(expected) + 0x1p-1060) << got;
            }
        }
    }
}

// Drawn steadily, each step of w short: each branch is followed with about two evaluations of
// f (the tangent's guess and its correction), starting from f's value and slope where the step
// before left it, which the points carry.
TEST(Continuation, ShortStepsCostAboutTwoEvaluationsABranch) {
    struct Case {
        const char* formula;
        C centre;
        double radius;
        double step;  // along the circle of w
        std::size_t branches;
    };
    const Case cases[] = {
        {"z^5 - z", {0.3, -0.2}, 0.25, 0.03, 5},
        {"z^3 - 2z + 1", {-1, 0.5}, 0.5, 0.02, 3},
        {"z^2 + (1 + i) z", {0.5, 0.5}, 0.8, 0.03, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        const roots::Map f = formula(c.formula);
        const CGRect region = box(-4.2, 4.2, -4.2, 4.2);
        Walk walk(f, region, c.centre + c.radius);
        walk.to(c.centre + std::polar(c.radius, c.step / c.radius));  // takes the edge's winding
        long evaluations = 0;
        const int steps = 200;
        for (int k = 2; k < steps + 2; ++k) {
            walk.to(c.centre + std::polar(c.radius, k * c.step / c.radius));
            ASSERT_EQ(walk.set.points.size(), c.branches) << k;
            evaluations += walk.set.evaluations;
            for (const roots::Preimage& p : walk.set.points) {
                const Jet jet = f(p.z);
                EXPECT_EQ(p.at.dz, jet.dz) << k;
                EXPECT_LE(std::abs(p.at.value - jet.value), 1e-15 * (1 + std::abs(walk.w))) << k;
            }
        }
        const double each = static_cast<double>(evaluations) / (steps * c.branches);
        EXPECT_LE(each, 2.5);
    }
}

TEST(Features, ZerosPolesAndCriticalPointsWithTheirOrders) {
    const roots::Map f = formula("(z^2 - 1)*(z - 2 - i)^2/(z^2 + 2 + 2i)");
    const CGRect region = box(-3, 3.1, -3, 3.2);
    const roots::FeatureSet set = roots::findFeatures(f, region);
    EXPECT_TRUE(set.certain);
    ASSERT_EQ(set.zeros.size(), 3u);
    const std::vector<std::pair<C, int>> zeros{{-1, 1}, {1, 1}, {{2, 1}, 2}};
    for (std::size_t k = 0; k < zeros.size(); ++k) {
        EXPECT_LT(std::abs(set.zeros[k].z - zeros[k].first), 1e-5) << set.zeros[k].z;
        EXPECT_EQ(set.zeros[k].order, zeros[k].second);
    }
    ASSERT_EQ(set.poles.size(), 2u);
    const C pole = std::sqrt(C(-2, -2));  // ±(0.644 − 1.554i)
    EXPECT_LT(std::abs(set.poles[0].z + pole), 1e-9);
    EXPECT_LT(std::abs(set.poles[1].z - pole), 1e-9);
    EXPECT_EQ(set.poles[0].order, 1);
    // f' vanishes at the double zero, and wherever else it says.
    ASSERT_FALSE(set.criticalPoints.empty());
    bool atDoubleZero = false;
    for (const roots::Feature& c : set.criticalPoints) {
        EXPECT_LT(std::abs(f(c.z).dz), 1e-8) << c.z;
        atDoubleZero = atDoubleZero || std::abs(c.z - C(2, 1)) < 1e-5;
    }
    EXPECT_TRUE(atDoubleZero);
    EXPECT_TRUE(set.unresolvedAt.empty());
}

TEST(Features, NothingOnABranchCutAndAnEssentialSingularityIsUnresolved) {
    const roots::FeatureSet log = roots::findFeatures(formula("log(z)"), box(-2, 2.2, -2, 2.1));
    ASSERT_EQ(log.zeros.size(), 1u);
    EXPECT_LT(std::abs(log.zeros[0].z - C(1)), 1e-9);
    EXPECT_TRUE(log.poles.empty());
    EXPECT_TRUE(log.criticalPoints.empty());

    const roots::FeatureSet essential =
        roots::findFeatures(roots::mapNamed("exp(1/z)"), box(-1, 1.1, -1, 1.05));
    EXPECT_TRUE(essential.zeros.empty());
    EXPECT_TRUE(essential.poles.empty());
    EXPECT_FALSE(essential.certain);
    ASSERT_FALSE(essential.unresolvedAt.empty());
    for (C p : essential.unresolvedAt) {
        EXPECT_LT(std::abs(p), 1e-2) << p;
    }
}

}  // namespace
}  // namespace zw
