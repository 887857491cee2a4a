// Shading the domain box by box by the modulus and the argument of f.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "support/AppHarness.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;
using test::RecordingCanvas;

AppHarness::Options square400() {
    AppHarness::Options o;
    o.domainSize = {400, 400};
    o.rangeSize = {400, 400};
    return o;
}

class ShadingTest : public ::testing::Test {
  protected:
    ShadingTest() : app(square400()) {}

    void modulusOn() { app.domain->showContoursAction(&modulusItem); }
    void argumentOn() { app.domain->showArgumentsAction(&argumentItem); }

    // A constant map, through the cubic with only its constant term.
    void constant(float re, float im) {
        app.controller.setParameters("usersPolynomial", 0, 0, 0, 0, 0, 0, re, im);
    }

    std::size_t repeats() const {
        std::set<std::tuple<double, double>> seen;
        for (const ColoredRect& box : app.domain->contours) {
            seen.insert({box.rect.origin.x, box.rect.origin.y});
        }
        return app.domain->contours.size() - seen.size();
    }

    AppHarness app;
    FakeSender modulusItem{"Contours"};
    FakeSender argumentItem{"Arguments"};
    FakeSender resolutionItem{"Highest Resolution"};
};

TEST_F(ShadingTest, NoBoxesUntilAModeIsOn) {
    EXPECT_TRUE(app.domain->contours.empty());
    app.domain->needsCompleteRedraw = false;
    app.domainHost.resetDisplayRequests();
    app.domain->constructContours();
    EXPECT_TRUE(app.domain->contours.empty());
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    EXPECT_GE(app.domainHost.needsDisplayCalls, 1u);
}

TEST_F(ShadingTest, FourPassesOfFourUnitBoxesCoverTheViewWithAMargin) {
    modulusOn();
    EXPECT_EQ(modulusItem.state(), 1);
    EXPECT_TRUE(app.domain->showContours);
    const std::vector<ColoredRect>& boxes = app.domain->contours;
    ASSERT_EQ(boxes.size(), 10816u);
    EXPECT_EQ(repeats(), 207u);

    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const ColoredRect& box : boxes) {
        EXPECT_EQ(box.rect.size, (CGSize{4, 4}));
        minX = std::min(minX, box.rect.origin.x);
        maxX = std::max(maxX, box.rect.origin.x);
        minY = std::min(minY, box.rect.origin.y);
        maxY = std::max(maxY, box.rect.origin.y);
    }
    EXPECT_EQ(minX, -4);
    EXPECT_EQ(maxX, 404);
    EXPECT_EQ(minY, -4);
    EXPECT_EQ(maxY, 404);
    // The first pass starts at the origin and walks rows upward, boxes rightward.
    EXPECT_EQ(boxes[0].rect.origin, (CGPoint{200, 200}));
    EXPECT_EQ(boxes[1].rect.origin, (CGPoint{204, 200}));
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
}

TEST_F(ShadingTest, HighestResolutionUsesTwoUnitBoxes) {
    app.domain->highestResolutionAction(&resolutionItem);
    // Remembered, but no boxes while no mode is on.
    EXPECT_TRUE(app.domain->highestResolution);
    EXPECT_TRUE(app.domain->contours.empty());
    argumentOn();
    EXPECT_EQ(app.domain->contours.size(), 41616u);
    EXPECT_EQ(app.domain->contours[0].rect.size, (CGSize{2, 2}));

    app.domain->highestResolutionAction(&resolutionItem);
    EXPECT_EQ(app.domain->contours.size(), 10816u);
}

TEST_F(ShadingTest, ALiveResizeUsesEightUnitBoxesUntilItEnds) {
    AppHarness small({{360, 360}, {400, 400}, true});
    FakeSender item("Contours");
    small.domain->showContoursAction(&item);
    small.domainHost.liveResize = true;
    small.domainHost.resizeTo({400, 400});
    EXPECT_EQ(small.domain->contours.size(), 2916u);
    EXPECT_EQ(small.domain->contours[0].rect.size, (CGSize{8, 8}));

    small.domainHost.liveResize = false;
    small.domain->needsCompleteRedraw = false;
    small.domain->viewDidEndLiveResize();
    EXPECT_EQ(small.domain->contours.size(), 10816u);
    EXPECT_TRUE(small.domain->needsCompleteRedraw);
}

// Boxes right of the view are not made: the leftward passes start one box past its edge.
TEST_F(ShadingTest, AnOriginRightOfTheViewMakesBoxesLeftwardFromItsEdge) {
    app.domain->translation = {250, 0};
    modulusOn();
    std::set<double> xs;
    for (const ColoredRect& box : app.domain->contours) {
        xs.insert(box.rect.origin.x);
    }
    EXPECT_EQ(*xs.begin(), -2);
    EXPECT_EQ(*xs.rbegin(), 402);
    EXPECT_EQ(xs.size(), 102u);
    for (double x : xs) {
        EXPECT_EQ(std::fmod(450 - x, 4.0), 0.0);
    }
}

// The four passes as they walk from the origin, rows outermost, keeping only the boxes whose
// corner lies within one box of the view.
std::vector<CGRect> passesNearTheView(const PlaneView& v, int s, double& unbounded) {
    const int halfW = v.viewWidth / 2, halfH = v.viewHeight / 2;
    const CGPoint t = v.translation;
    std::vector<CGRect> boxes;
    unbounded = 0;
    for (const auto& [tx, ty] : {std::pair{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}) {
        double y = t.y + halfH;
        for (int i = 0; i <= 1 + (halfH - ty * t.y) / s; ++i) {
            if (y >= -s) {
                double x = t.x + halfW;
                for (int j = 0; j <= 1 + (halfW - tx * t.x) / s; ++j) {
                    if (x >= -s) {
                        ++unbounded;
                        if (x <= v.viewWidth + s && y <= v.viewHeight + s) {
                            boxes.push_back({{x, y}, {double(s), double(s)}});
                        }
                    }
                    x += tx * s;
                }
            }
            y += ty * s;
        }
    }
    return boxes;
}

// With the origin inside the view every box of the four passes is made, in their order; with
// it beyond an edge, only the boxes that reach into the view or lie one box past its edge.
TEST_F(ShadingTest, PassesMakeOnlyTheBoxesNearTheViewInTheirOrder) {
    modulusOn();
    app.domain->highestResolutionAction(&resolutionItem);
    const std::vector<CGPoint> inside = {{0, 0}, {37.5, -12.25}, {-199, 150}, {200, -200}};
    const std::vector<CGPoint> outside = {{250, 0}, {800, 0}, {0, 700}, {-900, 300}, {650, 520}};
    for (const int s : {2, 4}) {
        if (s == 4) {
            app.domain->highestResolutionAction(&resolutionItem);
        }
        for (const CGPoint t : inside) {
            app.domain->translation = t;
            app.domain->constructContours();
            double unbounded = 0;
            const std::vector<CGRect> expected = passesNearTheView(*app.domain, s, unbounded);
            EXPECT_EQ(static_cast<double>(expected.size()), unbounded);
            std::vector<CGRect> made;
            for (const ColoredRect& box : app.domain->contours) {
                made.push_back(box.rect);
            }
            ASSERT_EQ(made, expected) << s << " at " << t.x << ", " << t.y;
        }
        for (const CGPoint t : outside) {
            app.domain->translation = t;
            app.domain->constructContours();
            double unbounded = 0;
            const std::vector<CGRect> expected = passesNearTheView(*app.domain, s, unbounded);
            EXPECT_LT(static_cast<double>(expected.size()), unbounded);
            std::vector<CGRect> made;
            for (const ColoredRect& box : app.domain->contours) {
                made.push_back(box.rect);
            }
            ASSERT_EQ(made, expected) << s << " at " << t.x << ", " << t.y;
        }
    }
}

// A list once grown for a large pane must not keep that memory when the pane shrinks.
TEST(ShadingMemoryTest, ShrinkingThePaneGivesBackTheBoxesMemory) {
    AppHarness app({{1600, 1600}, {400, 400}, true});
    FakeSender modulus("Contours"), resolution("Highest Resolution");
    app.domain->highestResolutionAction(&resolution);
    app.domain->showContoursAction(&modulus);
    EXPECT_GT(app.domain->contours.size(), 640000u);

    app.domainHost.resizeTo({400, 400});
    EXPECT_EQ(app.domain->contours.size(), 41616u);
    EXPECT_LE(app.domain->contours.capacity(), 2 * app.domain->contours.size());

    // Nothing shaded and the function changed: the list is emptied and its memory let go.
    app.domain->showContoursAction(&modulus);
    FakeSender square("Square");
    app.controller.setFunction(&square);
    EXPECT_TRUE(app.domain->contours.empty());
    EXPECT_EQ(app.domain->contours.capacity(), 0u);
}

// A pane too large for its finest boxes is shaded with boxes twice as large, still covering
// the view, rather than taking seconds and gigabytes on each rebuild.
TEST(ShadingMemoryTest, AHugePaneFallsBackToCoarserBoxesWithinTheCap) {
    AppHarness app({{3000, 3000}, {400, 400}, true});
    FakeSender modulus("Contours"), resolution("Highest Resolution");
    app.domain->highestResolutionAction(&resolution);
    app.domain->showContoursAction(&modulus);
    const std::vector<ColoredRect>& boxes = app.domain->contours;
    // At two units the passes would make 4 x 752 x 752 boxes, over the cap.
    EXPECT_GT(4u * 752 * 752, DomainView::kMaxContourBoxes);
    EXPECT_LE(boxes.size(), DomainView::kMaxContourBoxes);
    EXPECT_EQ(boxes.size(), 4u * 377 * 377);
    std::set<double> xs, ys;
    for (const ColoredRect& box : boxes) {
        ASSERT_EQ(box.rect.size, (CGSize{4, 4}));
        xs.insert(box.rect.origin.x);
        ys.insert(box.rect.origin.y);
    }
    EXPECT_EQ(*xs.begin(), -4);
    EXPECT_EQ(*xs.rbegin(), 3004);
    EXPECT_EQ(xs.size(), 3008u / 4 + 1);
    EXPECT_EQ(ys, xs);

    // A normal pane is back at its finest boxes.
    app.domainHost.resizeTo({400, 400});
    EXPECT_EQ(boxes.size(), 41616u);
    EXPECT_EQ(boxes[0].rect.size, (CGSize{2, 2}));
}

// A panned plane zoomed in far puts the origin billions of units away; only boxes within a
// view of the edges are made, so the rebuild stays the size of the view.
TEST_F(ShadingTest, AnOriginFarOutsideTheViewMakesOnlyBoxesNearIt) {
    modulusOn();
    for (const CGPoint t : {CGPoint{3e9, -7e11}, CGPoint{-2e17, 5e16}, CGPoint{1e31, -3e30}}) {
        app.domain->translation = t;
        app.domain->constructContours();
        // The view is still covered, with no more boxes than a view and its margins hold.
        EXPECT_GT(app.domain->contours.size(), 100u * 100u) << t.x;
        EXPECT_LT(app.domain->contours.size(), 4u * 202 * 202) << t.x;
        for (const ColoredRect& box : app.domain->contours) {
            ASSERT_GE(box.rect.origin.x, -4);
            ASSERT_LE(box.rect.origin.x, 800);
            ASSERT_GE(box.rect.origin.y, -4);
            ASSERT_LE(box.rect.origin.y, 800);
        }
    }
}

TEST_F(ShadingTest, AFractionalTranslationKeepsTheSampleHalfABoxFromTheCorner) {
    app.controller.setParameters("usersAffineMap", 0, 1, 0, 0, 0, 0, 0, 1);  // identity
    app.domain->translation = {0.5, -0.25};
    app.domain->highestResolutionAction(&resolutionItem);
    argumentOn();
    const ColoredRect& first = app.domain->contours[0];
    EXPECT_EQ(first.rect.origin, (CGPoint{200.5, 199.75}));
    // The sample at (201.5, 200.75) is the true point (0.01, 0.01): argument 45 degrees.
    const float h = 45.0f / 180.0f;
    const double hd = h;
    EXPECT_EQ(first.color,
              Color::colorWithDeviceRed(1.0 + (hd * 1.57) / -2.0, 0, (hd * 1.57) / 2.0, 1));
}

TEST_F(ShadingTest, ModulusShadesGreyByTheArctangentOfTheModulus) {
    constant(0, 0);
    modulusOn();
    EXPECT_EQ(app.domain->contours[0].color, Color::whiteColor());

    constant(0.6f, 0.8f);  // |f| = 1
    const float v = 1.0f - static_cast<float>(std::atan(1.0) / 2.0);
    EXPECT_NEAR(v, 0.6073, 1e-4);
    for (const ColoredRect& box : app.domain->contours) {
        ASSERT_EQ(box.color, Color::colorWithDeviceWhite(v, 1));
    }
}

TEST_F(ShadingTest, ArgumentShadesFromRedAtZeroToPurpleAtTheNegativeAxis) {
    constant(1, 0);
    argumentOn();
    EXPECT_EQ(app.domain->contours[0].color, Color::redColor());

    constant(-1, 0);
    const double h = 1.0;
    const Color expected =
        Color::colorWithDeviceRed(1.0 + (h * 1.57) / -2.0, 0, (h * 1.57) / 2.0, 1);
    EXPECT_NEAR(expected.red(), 0.215, 1e-12);
    EXPECT_NEAR(expected.blue(), 0.785, 1e-12);
    for (const ColoredRect& box : app.domain->contours) {
        ASSERT_EQ(box.color, expected);
    }
}

TEST_F(ShadingTest, CombinedModeDarkensTheHueAndClampsRedAtAZero) {
    modulusOn();
    argumentOn();
    constant(0, 0);
    // Red comes out as 1.5 where f is zero; a colour takes it as 1.
    EXPECT_EQ(app.domain->contours[0].color, Color::redColor());

    constant(-0.6f, 0.8f);
    const float g = static_cast<float>(std::atan(1.0) / 2.0);
    const float v = 1.0f - g;
    const float a = static_cast<float>(std::atan2(0.800000011920929, -0.60000002384185791) * 180.0 /
                                       3.141592653589793);
    const float h = std::fabs(a) / 180.0f;
    const float red = (1 - h) * v * 3 / 2;
    const float blue = h * v * 3 / 2;
    const Color expected = Color::colorWithDeviceRed(red, 0, blue, 1);
    EXPECT_NEAR(expected.red(), 0.2689, 1e-4);
    for (const ColoredRect& box : app.domain->contours) {
        ASSERT_EQ(box.color, expected);
    }
}

TEST_F(ShadingTest, BoxesArePaintedAfterTheWhiteAndOnlyWhileAModeIsOn) {
    modulusOn();
    RecordingCanvas canvas = app.drawDomain();
    ASSERT_GT(canvas.ops.size(), 10817u);
    for (std::size_t i = 0; i < 10816; ++i) {
        ASSERT_TRUE(canvas.ops[i + 1].isFillRect());
        ASSERT_EQ(canvas.ops[i + 1].rect, app.domain->contours[i].rect);
    }

    app.domain->showContoursAction(&modulusItem);
    EXPECT_FALSE(app.domain->showContours);
    // The boxes stay in the list but are not painted.
    EXPECT_EQ(app.domain->contours.size(), 10816u);
    canvas = app.drawDomain();
    EXPECT_EQ(canvas.rectFills().size(), 3u);

    // A change of function empties the list while no mode is on.
    FakeSender square("Square");
    app.controller.setFunction(&square);
    EXPECT_TRUE(app.domain->contours.empty());
}

TEST_F(ShadingTest, ViewportChangesRebuildTheBoxes) {
    modulusOn();
    app.domain->keyDown(KeyEvent{u"6"});
    EXPECT_EQ(app.domain->contours[0].rect.origin, (CGPoint{100, 200}));
    app.domain->zoomIn(nullptr);
    EXPECT_EQ(app.domain->contours[0].rect.origin, (CGPoint{0, 200}));
}

}  // namespace
}  // namespace zw
