// Axes, tick marks and their labels, rebuilt from the viewport.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeHost.h"
#include "support/FakeSender.h"
#include "support/PathPoints.h"
#include "support/Printers.h"
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
    *os << '"' << l.text << "\" at (" << l.point.x << ", " << l.point.y << ")";
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

}  // namespace
}  // namespace zw
