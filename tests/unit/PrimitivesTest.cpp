// What every plane draws with: paths with their own colour, boxes and transforms.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ColoredRect.h"
#include "planes/Path.h"
#include "platform/AffineTransform.h"
#include "platform/Color.h"
#include "support/Printers.h"
#include "support/RecordingCanvas.h"

namespace zw {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

Path corner() {
    Path p;
    p.moveToPoint({0, 0});
    p.lineToPoint({10, 0});
    p.lineToPoint({10, 10});
    return p;
}

TEST(Path, StartsEmptyBlackAndOneWide) {
    const Path p;
    EXPECT_EQ(p.elementCount(), 0u);
    EXPECT_EQ(p.color, Color::blackColor());
    EXPECT_EQ(p.lineWidth(), 1.0);
    EXPECT_TRUE(p.lineDash().empty());

    const ColoredRect box;
    EXPECT_EQ(box.color, Color::blackColor());
    EXPECT_EQ(box.rect, CGRect{});
}

TEST(Path, StrokeDrawsTheWholePathInItsOwnColourWidthAndDash) {
    Path p = corner();
    p.setColor(Color::redColor());
    p.setLineWidth(0.5);
    p.makeDashed();
    RecordingCanvas canvas;
    canvas.setColor(Color::greenColor());
    p.stroke(canvas);
    ASSERT_EQ(canvas.ops.size(), 1u);
    const CanvasOp& op = canvas.ops[0];
    EXPECT_TRUE(op.isStroke());
    EXPECT_EQ(op.color, Color::redColor());
    EXPECT_EQ(op.lineWidth, 0.5);
    EXPECT_EQ(op.points, (std::vector<CGPoint>{{0, 0}, {10, 0}, {10, 10}}));
    ASSERT_EQ(op.dash.size(), 3u);
    EXPECT_EQ(op.dash[0], 3.0);
    EXPECT_EQ(op.dashPhase, 0.0);
}

TEST(Path, StrokeLastElementDrawsOnlyTheNewestSegmentSolid) {
    Path p = corner();
    p.setColor(Color::blueColor());
    p.setLineWidth(0.1);
    p.makeDashed();
    RecordingCanvas canvas;
    p.strokeLastElement(canvas);
    ASSERT_EQ(canvas.ops.size(), 1u);
    const CanvasOp& op = canvas.ops[0];
    EXPECT_EQ(op.color, Color::blueColor());
    EXPECT_EQ(op.points, (std::vector<CGPoint>{{10, 0}, {10, 10}}));
    EXPECT_TRUE(op.dash.empty());
    // The width goes through single precision.
    EXPECT_EQ(op.lineWidth, static_cast<double>(0.1f));
}

TEST(Path, StrokeLastElementDrawsNothingBeforeTheSecondPoint) {
    RecordingCanvas canvas;
    Path p;
    p.strokeLastElement(canvas);
    p.moveToPoint({3, 4});
    p.strokeLastElement(canvas);
    EXPECT_EQ(canvas.strokes().size(), 0u);
}

TEST(Path, TransformMovesEveryPoint) {
    Path p = corner();
    AffineTransform t;
    t.translateXBy(5, -2);
    p.transformUsingAffineTransform(t);
    EXPECT_EQ(p.elementAtIndex(0).point, (CGPoint{5, -2}));
    EXPECT_EQ(p.elementAtIndex(2).point, (CGPoint{15, 8}));
    EXPECT_EQ(p.elementAtIndex(0).type, BezierPath::ElementType::MoveTo);
    EXPECT_EQ(p.elementAtIndex(2).type, BezierPath::ElementType::LineTo);
}

TEST(AffineTransform, AppendedStepsActInTheOrderAppended) {
    AffineTransform a, b, c;
    a.translateXBy(-10, -20);
    b.scaleBy(2);
    c.translateXBy(10, 20);
    AffineTransform t;
    t.appendTransform(a);
    t.appendTransform(b);
    t.appendTransform(c);
    // About (10, 20): p -> (10, 20) + 2 (p - (10, 20)).
    EXPECT_EQ(t.transformPoint({15, 20}), (CGPoint{20, 20}));
    EXPECT_EQ(t.transformPoint({10, 25}), (CGPoint{10, 30}));
}

}  // namespace
}  // namespace zw
