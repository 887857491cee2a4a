// Going back through f in the planes: the range's grid pulled back on every branch, and the
// zeros, poles and critical points marked.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <string>
#include <vector>

#include "app/BranchPullBack.h"
#include "app/FeatureFinder.h"
#include "app/Parameters.h"
#include "app/StatusText.h"
#include "roots/SolverMaps.h"
#include "support/AppHarness.h"
#include "support/PathPoints.h"

namespace zw {
namespace {

using Kind = FeatureMark::Kind;
using test::AppHarness;
using test::FakeSender;

class BranchesTest : public ::testing::Test {
  protected:
    void formula(const std::string& text) {
        std::string error;
        ASSERT_TRUE(app.controller.setFormula(text, "", error)) << error;
    }
    void select(const std::string& title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }
    std::vector<FeatureMark> marks(Kind kind) const {
        std::vector<FeatureMark> found;
        for (const FeatureMark& m : app.domain->featureMarks) {
            if (m.kind == kind) {
                found.push_back(m);
            }
        }
        return found;
    }
    CGPoint inDomain(double x, double y) const {
        return app.domain->trueCoordinatesToViewCoordinates({x, y});
    }

    AppHarness app;
};

bool near(CGPoint a, CGPoint b, double d) {
    return std::hypot(a.x - b.x, a.y - b.y) <= d;
}

TEST_F(BranchesTest, MarksZerosPolesAndCriticalPointsWithTheirOrdersAndNamesThem) {
    app.domain->zoomOut(nullptr);  // −4 … 4 by −3 … 3
    formula("(z^2-1)(z-2-i)^2/(z^2+2+2i)");
    EXPECT_TRUE(app.domain->featureMarks.empty()) << "off by default";
    FakeSender item("Zeros, Poles and Critical Points");
    app.controller.toggleShowFeatures(&item);
    EXPECT_EQ(item.state(), 1);

    const std::vector<FeatureMark> zeros = marks(Kind::Zero);
    ASSERT_EQ(zeros.size(), 3u);
    const std::complex<double> pole = std::sqrt(std::complex<double>(-2, -2));
    const struct {
        Kind kind;
        CGPoint at;
        int order;
    } expected[] = {
        {Kind::Zero, {-1, 0}, 1},
        {Kind::Zero, {1, 0}, 1},
        {Kind::Zero, {2, 1}, 2},
        {Kind::Pole, {pole.real(), pole.imag()}, 1},
        {Kind::Pole, {-pole.real(), -pole.imag()}, 1},
        {Kind::CriticalPoint, {2, 1}, 1},
    };
    for (const auto& e : expected) {
        int found = 0;
        for (const FeatureMark& m : app.domain->featureMarks) {
            found += m.kind == e.kind && near(m.at, e.at, 1e-6) && m.order == e.order;
        }
        EXPECT_EQ(found, 1) << static_cast<int>(e.kind) << " at " << e.at.x << ", " << e.at.y;
    }
    EXPECT_EQ(marks(Kind::Pole).size(), 2u);
    EXPECT_TRUE(marks(Kind::Essential).empty());
    // Each critical point's value is marked in the range, the double zero's at 0.
    EXPECT_EQ(app.range->featureMarks.size(), marks(Kind::CriticalPoint).size());
    int atZero = 0;
    for (const FeatureMark& m : app.range->featureMarks) {
        EXPECT_EQ(m.kind, Kind::CriticalValue);
        atZero += near(m.at, {0, 0}, 1e-6);
    }
    EXPECT_EQ(atZero, 1);

    // Drawn over everything else, with the order beside the double zero only.
    test::RecordingCanvas canvas = app.drawDomain();
    std::vector<std::string> labels;
    for (const test::CanvasOp* t : canvas.texts()) {
        if (near(t->point, inDomain(2, 1), 2 * kFeatureMarkRadius)) {
            labels.push_back(t->text);
        }
    }
    EXPECT_EQ(labels, std::vector<std::string>{"2"});
    const test::CanvasOp* last = canvas.strokes().back();
    EXPECT_TRUE(near(last->points.front(), inDomain(0, 0), 300)) << "marks drawn last";

    // The pointer on a mark names it; next to none, nothing.
    const CGPoint p = inDomain(2, 1);
    EXPECT_EQ(FeatureFinder::nameUnder(*app.domain, {p.x + 2, p.y - 1}),
              "zero of order 2 at 2.000 + 1.000i");
    EXPECT_EQ(FeatureFinder::nameUnder(*app.domain, inDomain(-1, 0)),
              "zero of order 1 at -1.000 + 0.000i");
    EXPECT_EQ(FeatureFinder::nameUnder(*app.domain, inDomain(pole.real(), pole.imag())),
              "pole of order 1 at " + StatusText::complex({pole.real(), pole.imag()}, 0.02));
    EXPECT_EQ(FeatureFinder::nameUnder(*app.domain, inDomain(0, 0.5)), "");
    const CGPoint value = app.range->trueCoordinatesToViewCoordinates({0, 0});
    EXPECT_EQ(FeatureFinder::nameUnder(*app.range, value), "critical value at 0.000 + 0.000i");

    app.controller.toggleShowFeatures(&item);
    EXPECT_TRUE(app.domain->featureMarks.empty());
    EXPECT_TRUE(app.range->featureMarks.empty());
    EXPECT_TRUE(app.drawDomain().texts().size() < canvas.texts().size());
}

TEST_F(BranchesTest, NoMarkOnABranchCutAnEssentialSingularityMarkedAndTheViewFollowed) {
    app.controller.toggleShowFeatures(nullptr);
    formula("log(z)");
    ASSERT_EQ(app.domain->featureMarks.size(), 1u);
    EXPECT_EQ(app.domain->featureMarks[0].kind, Kind::Zero);
    EXPECT_TRUE(near(app.domain->featureMarks[0].at, {1, 0}, 1e-9));

    formula("exp(1/z)");
    ASSERT_EQ(app.domain->featureMarks.size(), 1u);
    EXPECT_EQ(app.domain->featureMarks[0].kind, Kind::Essential);
    EXPECT_TRUE(near(inDomain(0, 0),
                     inDomain(app.domain->featureMarks[0].at.x, app.domain->featureMarks[0].at.y),
                     1.0));
    EXPECT_EQ(FeatureFinder::nameUnder(*app.domain, inDomain(0, 0)),
              "essential singularity at 0.000 + 0.000i");
    // Its poles 1/(2πik) crowd in on 0, where the mark is the essential one and no zero or pole.
    formula("1/(exp(1/z)-1)");
    ASSERT_EQ(marks(Kind::Essential).size(), 1u);
    EXPECT_TRUE(near(inDomain(0, 0),
                     inDomain(marks(Kind::Essential)[0].at.x, marks(Kind::Essential)[0].at.y),
                     1.0));
    EXPECT_TRUE(marks(Kind::Zero).empty());
    for (const FeatureMark& pole : marks(Kind::Pole)) {
        EXPECT_FALSE(near(inDomain(0, 0), inDomain(pole.at.x, pole.at.y), 1.0));
    }
    EXPECT_EQ(FeatureFinder::nameUnder(*app.domain, inDomain(0, 0)),
              "essential singularity at 0.000 + 0.000i");

    // A pan or a zoom finds them afresh over the new view.
    formula("z^2 - 1");
    EXPECT_EQ(marks(Kind::Zero).size(), 2u);
    EXPECT_EQ(marks(Kind::CriticalPoint).size(), 1u);
    app.domain->panBy(-150, 0);  // the view now shows −0.5 … 3.5
    ASSERT_EQ(marks(Kind::Zero).size(), 1u);
    EXPECT_TRUE(near(marks(Kind::Zero)[0].at, {1, 0}, 1e-9));
    app.domain->zoomOut(nullptr);
    EXPECT_EQ(marks(Kind::Zero).size(), 2u);
}

// True points of a pulled-back curve, from the domain's view coordinates.
std::vector<CGPoint> trueOf(const DomainView& domain, const Path& curve) {
    std::vector<CGPoint> points;
    for (const CGPoint p : test::pointsOf(curve)) {
        points.push_back(domain.viewCoordinatesToTrueCoordinates(p));
    }
    return points;
}

// A parameter or the morph changes f under the same formula: the marks are found again.
TEST_F(BranchesTest, TheMarksFollowAParameterAndTheMorph) {
    Parameters& parameters = app.workbench.parameters;
    parameters.reset();
    formula("z^2 - a");
    app.controller.toggleShowFeatures(nullptr);
    const struct {
        const char* what;
        std::function<void()> change;
        double left, right;  // the real zeros
    } steps[] = {
        {"a = 0.5", [] {}, -std::sqrt(0.5), std::sqrt(0.5)},
        {"a = 1", [&] { ASSERT_TRUE(parameters.setParameterValue("a", 1.0)); }, -1.0, 1.0},
        // (1 - t) z + t (z^2 - 1) at t = 1/2 is (z^2 + z - 1)/2.
        {"morph at t = 1/2",
         [&] {
             parameters.setMorph(true);
             ASSERT_TRUE(parameters.setParameterValue("t", 0.5));
         },
         (-1 - std::sqrt(5.0)) / 2, (-1 + std::sqrt(5.0)) / 2},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        const std::vector<FeatureMark> zeros = marks(Kind::Zero);
        ASSERT_EQ(zeros.size(), 2u);
        const double a = std::min(zeros[0].at.x, zeros[1].at.x);
        const double b = std::max(zeros[0].at.x, zeros[1].at.x);
        EXPECT_TRUE(near(app.domain->trueCoordinatesToViewCoordinates({step.left, 0}),
                         app.domain->trueCoordinatesToViewCoordinates({a, 0}), 0.5));
        EXPECT_TRUE(near(app.domain->trueCoordinatesToViewCoordinates({step.right, 0}),
                         app.domain->trueCoordinatesToViewCoordinates({b, 0}), 0.5));
    }
    parameters.setMorph(false);
    parameters.reset();
}

TEST_F(BranchesTest, SquarePulledBackOnBothBranchesOntoTheRangeGrid) {
    select("Square");
    EXPECT_TRUE(app.domain->inverseGridlines.empty()) << "off by default";
    FakeSender item("Pull Back Grid on Every Branch");
    app.controller.togglePullBackOnEveryBranch(&item);
    ASSERT_FALSE(app.domain->inverseGridlines.empty());
    // Every point maps onto a line of the range's grid (every half unit in this view), and the
    // curves lie on both branches, z and −z.
    int left = 0, right = 0;
    for (const auto& curve : app.domain->inverseGridlines) {
        EXPECT_FALSE(curve->lineDash().empty());
        for (const CGPoint z : trueOf(*app.domain, *curve)) {
            const CGPoint w{z.x * z.x - z.y * z.y, 2 * z.x * z.y};
            const double offX = std::fabs(w.x * 2 - std::round(w.x * 2));
            const double offY = std::fabs(w.y * 2 - std::round(w.y * 2));
            ASSERT_LT(std::min(offX, offY), 1e-6) << z.x << ", " << z.y;
            left += z.x < -0.1;
            right += z.x > 0.1;
        }
    }
    EXPECT_GT(left, 100);
    EXPECT_GT(right, 100);

    // A new f without an inverse is pulled back too; off, they go.
    formula("z^3 + z");
    EXPECT_FALSE(app.domain->inverseGridlines.empty());
    app.controller.togglePullBackOnEveryBranch(&item);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
}

TEST_F(BranchesTest, OffThePullBackThroughTheInverseIsAsBefore) {
    select("Invert");
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    ASSERT_TRUE(app.controller.showingInverseImagesInDomain);
    std::vector<std::vector<CGPoint>> before;
    for (const auto& curve : app.domain->inverseGridlines) {
        before.push_back(test::pointsOf(*curve));
    }
    ASSERT_FALSE(before.empty());
    app.controller.togglePullBackOnEveryBranch(nullptr);
    EXPECT_NE(app.domain->inverseGridlines.size(), before.size());
    app.controller.togglePullBackOnEveryBranch(nullptr);
    std::vector<std::vector<CGPoint>> after;
    for (const auto& curve : app.domain->inverseGridlines) {
        after.push_back(test::pointsOf(*curve));
    }
    EXPECT_EQ(after, before);
}

TEST(BranchPullBack, AHostileFunctionSpendsNoMoreThanItsBudget) {
    const roots::Map f = [](std::complex<double> z) {
        const std::complex<double> e = std::exp(1.0 / z);
        return Jet{e, -e / (z * z), {0.0, 0.0}};
    };
    constexpr long kBudget = 150000;
    BranchPullBack pullBack(
        f, {{-1, -1}, {2, 2}}, kBudget, [](CGPoint z) { return z; }, 1.0);
    for (int line = 0; line < 20; ++line) {
        pullBack.startLine({0.1 * line - 1, 0.3});
        for (int k = 0; k < 50; ++k) {
            pullBack.addPoint({0.1 * line - 1, 0.3 + 0.02 * k});
        }
    }
    pullBack.finish();
    EXPECT_TRUE(pullBack.exhausted());
    EXPECT_LE(pullBack.evaluations(), kBudget);
}

}  // namespace
}  // namespace zw
