// Axes, tick marks and their labels, rebuilt from the viewport.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "planes/Readout.h"
#include "platform/Events.h"
#include "support/FakeHost.h"
#include "support/FakeSender.h"
#include "support/PathPoints.h"
#include "support/Printers.h"
#include "support/RecordingCanvas.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {
namespace {

using test::FakeHost;
using test::FakeSender;
using test::pointsOf;

struct Label {
    std::string text;
    CGPoint point;
    friend bool operator==(const Label&, const Label&) = default;
};

void PrintTo(const Label& l, std::ostream* os) {
    *os << '"' << l.text << "\" at ";
    PrintTo(l.point, os);
}

// The range's own grid is off at start, so only axes, ticks and labels are built.
class AxesTest : public ::testing::Test {
  protected:
    AxesTest() : host({400, 300}), view(&host, {{0, 0}, {400, 300}}) {}

    std::vector<Label> labels() const {
        std::vector<Label> result;
        for (const AxisLabel& l : view.axesLabels) {
            result.push_back({l.label, l.point});
        }
        return result;
    }

    std::vector<std::vector<CGPoint>> ticks() const {
        std::vector<std::vector<CGPoint>> result;
        for (const auto& t : view.axesTickMarks) {
            result.push_back(pointsOf(*t));
        }
        return result;
    }

    FakeHost host;
    RangeView view;
};

TEST_F(AxesTest, AxesCrossAtTheOriginsViewPosition) {
    EXPECT_EQ(pointsOf(*view.xaxis), (std::vector<CGPoint>{{0, 150}, {400, 150}}));
    EXPECT_EQ(pointsOf(*view.yaxis), (std::vector<CGPoint>{{200, 0}, {200, 300}}));
    EXPECT_EQ(view.xaxis->lineWidth(), 0.5);
    EXPECT_EQ(view.yaxis->lineWidth(), 0.5);
    EXPECT_EQ(view.xaxis->color, Color::blackColor());

    view.translation = {-30, 45};
    view.constructAxes();
    EXPECT_EQ(pointsOf(*view.xaxis), (std::vector<CGPoint>{{0, 195}, {400, 195}}));
    EXPECT_EQ(pointsOf(*view.yaxis), (std::vector<CGPoint>{{170, 0}, {170, 300}}));
}

TEST_F(AxesTest, TicksEveryFiftyUnitsOutToTheEdges) {
    std::vector<std::vector<CGPoint>> expected;
    for (double x : {250, 300, 350, 400, 150, 100, 50, 0}) {
        expected.push_back({{x, 145}, {x, 155}});
    }
    for (double y : {200, 250, 300, 100, 50, 0}) {
        expected.push_back({{195, y}, {205, y}});
    }
    EXPECT_EQ(ticks(), expected);
    for (const auto& t : view.axesTickMarks) {
        EXPECT_EQ(t->lineWidth(), 0.5);
    }
}

TEST_F(AxesTest, EverySecondTickIsLabelledEvenBeyondTheView) {
    const std::vector<Label> expected = {
        {"1.00", {292, 130}},   {"2.00", {392, 130}},   {"3.00", {492, 130}},
        {"4.00", {592, 130}},   {"-1.00", {92, 130}},   {"-2.00", {-8, 130}},
        {"-3.00", {-108, 130}}, {"-4.00", {-208, 130}}, {"1.00", {170, 242}},
        {"2.00", {170, 342}},   {"3.00", {170, 442}},   {"-1.00", {170, 42}},
        {"-2.00", {170, -58}},  {"-3.00", {170, -158}},
    };
    EXPECT_EQ(labels(), expected);
    for (const AxisLabel& l : view.axesLabels) {
        EXPECT_EQ(l.attributes, &view.labelAttributes);
    }
}

TEST_F(AxesTest, LabelsShowPlaneUnitsAtTheZoom) {
    view.zoomIn(nullptr);
    std::vector<std::string> texts;
    for (const Label& l : labels()) {
        texts.push_back(l.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"0.50", "1.00", "1.50", "2.00", "-0.50", "-1.00",
                                               "-1.50", "-2.00", "0.50", "1.00", "1.50", "-0.50",
                                               "-1.00", "-1.50"}));
    EXPECT_EQ(labels()[0].point, (CGPoint{292, 130}));

    view.zoomOut(nullptr);
    view.zoomOut(nullptr);
    EXPECT_EQ(labels()[0].text, "2.00");
    EXPECT_EQ(labels()[1].text, "4.00");
    EXPECT_EQ(labels()[4].text, "-2.00");
}

// Zoomed in beyond two decimals, labels take the fewest more that tell every two neighbours
// (one side of one axis) apart, the same for the whole plane; up to x64 they keep two.
TEST_F(AxesTest, NeighbouringLabelsNeverReadTheSameAtAnyZoom) {
    for (int zoom = 0; zoom <= 40; ++zoom, view.zoomIn(nullptr)) {
        for (const int pans : {0, 3}) {
            SCOPED_TRACE(::testing::Message() << "zoom 2^" << zoom << ", " << pans << " pans");
            for (int p = 0; p < pans; ++p) {
                view.keyDown(KeyEvent{p < pans / 2 ? u"4" : u"8"});
            }
            const std::string& first = view.axesLabels.at(0).label;
            const auto d = static_cast<int>(first.size() - first.find('.') - 1);
            EXPECT_TRUE(zoom > 6 || d == 2);
            EXPECT_TRUE(zoom != 10 || pans != 0 || first == "0.001") << first;
            // The label before, on each side of each axis, walking away from the origin.
            std::map<std::pair<bool, bool>, const AxisLabel*> last;
            bool fewerWouldDo = d > 2;
            for (const AxisLabel& l : view.axesLabels) {
                EXPECT_EQ(l.label.size() - l.label.find('.') - 1, static_cast<std::size_t>(d));
                const bool imaginaryAxis = l.point.x == view.translation.x + 170;
                const AxisLabel*& before = last[{imaginaryAxis, l.value > 0}];
                if (before != nullptr) {
                    EXPECT_NE(l.label, before->label);
                    fewerWouldDo = fewerWouldDo && Readout::fixed(l.value, d - 1) !=
                                                       Readout::fixed(before->value, d - 1);
                }
                before = &l;
            }
            EXPECT_FALSE(fewerWouldDo) << "decimals " << d;
            view.resetView(nullptr);
            for (int z = 0; z < zoom; ++z) {
                view.zoomIn(nullptr);
            }
        }
    }
}

TEST_F(AxesTest, SwitchingLabelsOffKeepsTheTicks) {
    FakeSender item("Axes Labels", 1);
    view.needsCompleteRedraw = false;
    view.toggleAxesLabels(&item);
    EXPECT_FALSE(view.tickMarks);
    EXPECT_EQ(item.state(), 0);
    EXPECT_TRUE(view.axesLabels.empty());
    EXPECT_EQ(view.axesTickMarks.size(), 14u);
    EXPECT_TRUE(view.needsCompleteRedraw);

    view.toggleAxesLabels(&item);
    EXPECT_TRUE(view.tickMarks);
    EXPECT_EQ(item.state(), 1);
    EXPECT_EQ(view.axesLabels.size(), 14u);
}

TEST_F(AxesTest, AnOriginRightOfTheViewHasTicksOnlyToItsLeft) {
    view.translation = {300, 0};  // origin at x = 500
    view.constructAxes();
    std::vector<double> realTicks;
    for (const auto& t : view.axesTickMarks) {
        if (t->elementAtIndex(0).point.y == 145) {
            realTicks.push_back(t->elementAtIndex(0).point.x);
        }
    }
    EXPECT_EQ(realTicks, (std::vector<double>{450, 400, 350, 300, 250, 200, 150, 100, 50, 0}));

    std::vector<Label> real;
    for (const Label& l : labels()) {
        if (l.point.y == 130) {
            real.push_back(l);
        }
    }
    const std::vector<Label> expected = {
        {"1.00", {592, 130}}, {"-1.00", {392, 130}}, {"-2.00", {292, 130}},  {"-3.00", {192, 130}},
        {"-4.00", {92, 130}}, {"-5.00", {-8, 130}},  {"-6.00", {-108, 130}}, {"-7.00", {-208, 130}},
    };
    EXPECT_EQ(real, expected);
}

// Coordinates at edges, across one axis: on the axis while it and its labels are in view, the
// labels on the axis's other side when there is no room before it, and on the nearer edge once
// the axis is out of view, however far.
TEST(AxisMarksTest, KeptInViewFollowTheAxisOutToTheNearerEdge) {
    struct Case {
        double axis, offset, extent;
        AxisMarks expected;
    };
    const Case cases[] = {
        {150, -20, 300, {150, 130, false}},   // in view: as by default
        {20, -20, 300, {20, 0, false}},       // the labels just fit below the axis
        {19, -20, 300, {19, 27, false}},      // no room below: above it, past the ticks
        {0, -30, 400, {0, 8, false}},         // on the low edge, still in view
        {-0.5, -20, 300, {0, 7, false}},      // just out of view below
        {-1e12, -30, 400, {0, 7, false}},     // far out on the left
        {300, -20, 300, {300, 280, false}},   // on the high edge, still in view
        {300.5, -20, 300, {300, 293, true}},  // just above: the labels end at the edge
        {1e12, -30, 400, {400, 393, true}},   // far out on the right
        {20, -30, 64, {20, 28, false}},       // a small pane
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "axis " << c.axis << " in " << c.extent);
        const AxisMarks m = AxisMarks::keptInView(c.axis, c.offset, c.extent);
        EXPECT_EQ(m.ticksAt, c.expected.ticksAt);
        EXPECT_EQ(m.labelsAt, c.expected.labelsAt);
        EXPECT_EQ(m.labelsEndThere, c.expected.labelsEndThere);
    }
}

// In a corner, a label of the other axis that would cover these labels' line of text is left out;
// one clear of it, above or below, is kept.
TEST(AxisMarksTest, AnEdgeLabelMeetsTheOtherAxisLabelsOnlyAcrossTheirLine) {
    const AxisMarks bottom = AxisMarks::keptInView(-50, -20, 300);  // text from 7 to 19.5
    const AxisMarks top = AxisMarks::keptInView(350, -20, 300);     // text from 280.5 to 293
    const std::tuple<const AxisMarks&, double, bool> cases[] = {
        {bottom, -5.5, false}, {bottom, -5, true}, {bottom, 19, true}, {bottom, 19.5, false},
        {top, 268, false},     {top, 268.5, true}, {top, 292.5, true}, {top, 293, false},
    };
    for (const auto& [marks, along, meet] : cases) {
        EXPECT_EQ(marks.labelsMeet(along, 12.5), meet) << along;
    }
}

// Against the top or right edge a label's text ends at its point, whatever its size.
TEST(AxisMarksTest, ALabelIsDrawnFromTheCornerItStandsOn) {
    const TextAttributes font{"Helvetica", 10.0};  // 5 units a character, 12.5 high
    const std::pair<AxisLabel::Anchor, CGPoint> cases[] = {
        {AxisLabel::Anchor::LowerLeft, {100, 50}},
        {AxisLabel::Anchor::UpperLeft, {100, 37.5}},
        {AxisLabel::Anchor::LowerRight, {80, 50}},
    };
    for (const auto& [anchor, drawnAt] : cases) {
        test::RecordingCanvas canvas;
        AxisLabel("1.00", {100, 50}, &font, 1.0, anchor).drawLabel(canvas);
        ASSERT_EQ(canvas.ops.size(), 1u);
        EXPECT_EQ(canvas.ops[0].text, "1.00");
        EXPECT_EQ(canvas.ops[0].point, drawnAt);
    }
}

// Panned so that the origin is below and right of the view, the plane still shows both axes'
// numbers: the real axis's along the bottom, the imaginary axis's along the right edge, each at
// the same places along its axis and reading the same as on the axis. Switched off, the marks
// are on the axes again, exactly as before.
TEST_F(AxesTest, CoordinatesAtEdgesFollowAnAxisPannedOutOfView) {
    view.translation = {300, -250};  // origin at (500, -100)
    view.constructAxes();
    const std::vector<Label> onAxes = labels();
    const auto ticksOnAxes = ticks();

    view.needsCompleteRedraw = false;
    view.setCoordinatesAtEdges(true);
    EXPECT_TRUE(view.needsCompleteRedraw);
    ASSERT_EQ(view.axesLabels.size(), onAxes.size());
    ASSERT_EQ(view.axesTickMarks.size(), ticksOnAxes.size());
    for (std::size_t i = 0; i < onAxes.size(); ++i) {
        const AxisLabel& l = view.axesLabels[i];
        EXPECT_EQ(l.label, onAxes[i].text);
        if (onAxes[i].point.y == -120) {  // along the real axis
            EXPECT_EQ(l.point, (CGPoint{onAxes[i].point.x, 7}));
            EXPECT_EQ(l.anchor, AxisLabel::Anchor::LowerLeft);
        } else {
            EXPECT_EQ(l.point, (CGPoint{393, onAxes[i].point.y}));
            EXPECT_EQ(l.anchor, AxisLabel::Anchor::LowerRight);
        }
    }
    const auto atEdges = ticks();
    for (std::size_t i = 0; i < atEdges.size(); ++i) {
        const CGPoint on = ticksOnAxes[i][0];
        const std::vector<CGPoint> expected = on.y == -105
                                                  ? std::vector<CGPoint>{{on.x, -5}, {on.x, 5}}
                                                  : std::vector<CGPoint>{{395, on.y}, {405, on.y}};
        EXPECT_EQ(atEdges[i], expected);
    }

    // Panned on, the marks stay on the edges.
    view.keyDown(KeyEvent{u"8"});
    EXPECT_EQ(view.axesLabels.front().point.y, 7);

    view.keyDown(KeyEvent{u"2"});
    view.setCoordinatesAtEdges(false);
    EXPECT_EQ(labels(), onAxes);
    EXPECT_EQ(ticks(), ticksOnAxes);

    // Panned so that an imaginary axis's label would stand on the real axis's in the corner.
    view.translation = {300, -242};  // origin at (500, -92): labels at y = 0, 100, ...
    view.setCoordinatesAtEdges(true);
    std::set<double> imaginary;
    for (const AxisLabel& l : view.axesLabels) {
        if (l.anchor == AxisLabel::Anchor::LowerRight) {
            imaginary.insert(l.point.y);
        }
    }
    EXPECT_EQ(imaginary.count(0), 0u);
    EXPECT_EQ(imaginary.count(100), 1u);
}

// Ticks and labels far beyond the view are not built: an origin a trillion units away would
// otherwise mean billions of them.
TEST_F(AxesTest, AnOriginFarOutsideTheViewBuildsOnlyMarksNearIt) {
    view.translation = {-1e12, 5e11};
    view.constructAxes();
    EXPECT_GT(view.axesTickMarks.size(), 0u);
    EXPECT_LT(view.axesTickMarks.size(), 100u);
    EXPECT_LT(view.axesLabels.size(), 100u);
    for (const auto& t : view.axesTickMarks) {
        const CGPoint p = t->elementAtIndex(0).point;
        EXPECT_TRUE((p.x >= -400 && p.x <= 800) || (p.y >= -300 && p.y <= 600));
    }
}

// What the marks of a plane should be, worked out the long way: each side's ticks accumulated
// from the origin in steps of 50 units, its labels from 8 units before the origin in steps of
// 100, each label reading its own accumulated position. Marks are only built within reach of
// the view: ticks within a view (at least 100 units) of each edge, labels within a view and
// 100 units more.
struct Marks {
    std::vector<std::vector<CGPoint>> ticks;
    std::vector<std::vector<CGPoint>> grid;
    std::vector<Label> labels;
};

Marks accumulatedMarks(const PlaneView& v) {
    Marks m;
    const double ox = v.translation.x + static_cast<double>(v.viewWidth / 2);
    const double oy = v.translation.y + static_cast<double>(v.viewHeight / 2);
    const double unit = static_cast<double>(100.0f * v.scaleFactor);
    for (const bool real : {true, false}) {
        const double extent = real ? v.viewWidth : v.viewHeight;
        const double half = real ? v.viewWidth / 2 : v.viewHeight / 2;
        const double t = real ? v.translation.x : v.translation.y;
        const double origin = real ? ox : oy;
        const double tickReach = std::max(extent, 100.0);
        const double labelReach = extent + 100.0;
        for (const double s : {1.0, -1.0}) {
            double at = origin;
            for (double i = 0; i < (half - t * s) / 50; ++i) {
                at += 50 * s;
                if (at < -tickReach || at > extent + tickReach) {
                    continue;
                }
                m.ticks.push_back(real ? std::vector<CGPoint>{{at, oy - 5}, {at, oy + 5}}
                                       : std::vector<CGPoint>{{ox - 5, at}, {ox + 5, at}});
                m.grid.push_back(
                    real ? std::vector<CGPoint>{{at, 0}, {at, static_cast<double>(v.viewHeight)}}
                         : std::vector<CGPoint>{{0, at}, {static_cast<double>(v.viewWidth), at}});
            }
            at = origin - 8;
            for (double i = 0; i < (extent - t * s) / 100; ++i) {
                at += 100 * s;
                if (at < -labelReach || at > extent + labelReach) {
                    continue;
                }
                char text[64];
                std::snprintf(text, sizeof text, "%.2f", (at + 8 - origin) / unit);
                m.labels.push_back({text, real ? CGPoint{at, oy - 20} : CGPoint{ox - 30, at}});
            }
        }
    }
    return m;
}

// At 8x a label 100 units from the origin stands for 0.125, which prints as "0.12"; every
// tick lies on a whole unit.
TEST(AxesSweepTest, AnEighthPrintsAsPointOneTwoOnBothSidesAfterAPan) {
    for (const char16_t* key : {u"4", u"6", u"2", u"8"}) {
        FakeHost host({1000, 300});
        DomainView view(&host, {{0, 0}, {1000, 300}});
        for (int i = 0; i < 3; ++i) {
            view.zoomIn(nullptr);
        }
        view.keyDown(KeyEvent{key});
        const double ox = view.translation.x + 500;
        const double oy = view.translation.y + 150;
        int eighths = 0;
        for (const AxisLabel& l : view.axesLabels) {
            EXPECT_NE(l.label, "0.13");
            EXPECT_NE(l.label, "-0.13");
            if (l.point.y == oy - 20 && std::fabs(l.point.x + 8 - ox) == 100) {
                EXPECT_EQ(l.label, l.point.x > ox ? "0.12" : "-0.12");
                ++eighths;
            }
        }
        EXPECT_EQ(eighths, 2);
        for (const auto& t : view.axesTickMarks) {
            const CGPoint p = t->elementAtIndex(0).point;
            EXPECT_EQ(p.x, std::round(p.x));
            EXPECT_EQ(p.y, std::round(p.y));
        }
    }
}

// Zoomed in and panned, a tick's position must be the whole number its accumulation gives
// (not one ulp beside it), and a label must read the value at that position: at 8x, 0.125 is
// printed "0.12" and its mirror "-0.12". Positions are compared bit for bit.
TEST(AxesSweepTest, MarksSitExactlyWhereTheirAccumulationPutsThem) {
    const std::vector<CGSize> sizes = {{1000, 300}, {401, 299}, {64, 37}, {20, 13}};
    const std::vector<CGPoint> starts = {
        {0, 0}, {37.5, -12.25}, {-300, 200}, {0.125, 0.375}, {1234, -777}};
    int views = 0;
    for (const CGSize size : sizes) {
        FakeHost host(size);
        DomainView view(&host, {{0, 0}, size});
        for (const CGPoint start : starts) {
            for (int zooms = 0; zooms <= 6; ++zooms) {
                for (int panX = -2; panX <= 2; ++panX) {
                    for (int panY = -1; panY <= 1; ++panY) {
                        view.scaleFactor = 1;
                        view.translation = start;
                        view.constructAxes();
                        for (int z = 0; z < zooms; ++z) {
                            view.zoomIn(nullptr);
                        }
                        for (int p = 0; p < std::abs(panX); ++p) {
                            view.keyDown(KeyEvent{panX > 0 ? u"6" : u"4"});
                        }
                        for (int p = 0; p < std::abs(panY); ++p) {
                            view.keyDown(KeyEvent{panY > 0 ? u"8" : u"2"});
                        }
                        const Marks expected = accumulatedMarks(view);
                        std::vector<std::vector<CGPoint>> ticks, grid;
                        for (const auto& t : view.axesTickMarks) {
                            ticks.push_back(pointsOf(*t));
                        }
                        for (const auto& g : view.gridlines) {
                            grid.push_back(pointsOf(*g));
                        }
                        std::vector<Label> labels;
                        for (const AxisLabel& l : view.axesLabels) {
                            labels.push_back({l.label, l.point});
                        }
                        const auto where = ::testing::Message()
                                           << size.width << "x" << size.height << " from ("
                                           << start.x << ", " << start.y << ") zoomed " << zooms
                                           << " panned " << panX << ", " << panY;
                        ASSERT_EQ(ticks, expected.ticks) << where;
                        ASSERT_EQ(grid, expected.grid) << where;
                        ASSERT_EQ(labels, expected.labels) << where;
                        ++views;
                    }
                }
            }
        }
    }
    EXPECT_EQ(views, 4 * 5 * 7 * 5 * 3);
}

}  // namespace
}  // namespace zw
