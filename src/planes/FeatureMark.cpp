#include "planes/FeatureMark.h"

#include <cmath>
#include <numbers>
#include <string>

#include "planes/PlaneView.h"
#include "platform/BezierPath.h"
#include "platform/Canvas.h"

namespace zw {

namespace {

// The strokes of one mark centred on c, as one path of separate pieces.
BezierPath shapeOf(FeatureMark::Kind kind, CGPoint c) {
    const double r = kFeatureMarkRadius;
    BezierPath shape;
    const auto line = [&shape, c](double x0, double y0, double x1, double y1) {
        shape.moveToPoint({c.x + x0, c.y + y0});
        shape.lineToPoint({c.x + x1, c.y + y1});
    };
    switch (kind) {
        case FeatureMark::Kind::Zero: {
            constexpr int kSides = 20;
            shape.moveToPoint({c.x + r, c.y});
            for (int k = 1; k <= kSides; ++k) {
                const double a = 2.0 * std::numbers::pi * k / kSides;
                shape.lineToPoint({c.x + r * std::cos(a), c.y + r * std::sin(a)});
            }
            break;
        }
        case FeatureMark::Kind::Pole:
            line(-r, -r, r, r);
            line(-r, r, r, -r);
            break;
        case FeatureMark::Kind::CriticalPoint:
        case FeatureMark::Kind::CriticalValue:
            shape.moveToPoint({c.x + r, c.y});
            shape.lineToPoint({c.x, c.y + r});
            shape.lineToPoint({c.x - r, c.y});
            shape.lineToPoint({c.x, c.y - r});
            shape.lineToPoint({c.x + r, c.y});
            break;
        case FeatureMark::Kind::Essential: {
            // A pole's cross and an upright one: eight arms, as no zero or pole has.
            const double d = r * std::numbers::sqrt2 / 2.0 + 0.5;
            line(-d, -d, d, d);
            line(-d, d, d, -d);
            line(-r, 0, r, 0);
            line(0, -r, 0, r);
            break;
        }
    }
    return shape;
}

bool reaches(const PlaneView& plane, CGPoint p, double margin) {
    return std::isfinite(p.x) && std::isfinite(p.y) && p.x >= -margin &&
           p.x <= plane.viewWidth + margin && p.y >= -margin && p.y <= plane.viewHeight + margin;
}

}  // namespace

void drawFeatureMarks(Canvas& canvas, const PlaneView& plane,
                      const std::vector<FeatureMark>& marks) {
    if (marks.empty()) {
        return;
    }
    const Color before = canvas.currentColor();
    for (const FeatureMark& mark : marks) {
        const CGPoint c = plane.trueCoordinatesToViewCoordinates(mark.at);
        if (!reaches(plane, c, 2.0 * kFeatureMarkRadius)) {
            continue;
        }
        BezierPath shape = shapeOf(mark.kind, c);
        shape.setLineWidth(3.0);
        canvas.setColor(Color::colorWithDeviceWhite(1.0, 0.85));
        canvas.strokePath(shape);
        shape.setLineWidth(1.25);
        canvas.setColor(Color::blackColor());
        canvas.strokePath(shape);
        if (mark.order >= 2) {
            canvas.drawText(std::to_string(mark.order), {c.x + kFeatureMarkRadius + 1.5, c.y + 1.0},
                            plane.labelAttributes);
        }
    }
    canvas.setColor(before);
}

std::optional<FeatureMark> featureMarkAt(const PlaneView& plane,
                                         const std::vector<FeatureMark>& marks, CGPoint position) {
    std::optional<FeatureMark> nearest;
    double best = kFeatureMarkRadius + 1.5;
    for (const FeatureMark& mark : marks) {
        const CGPoint c = plane.trueCoordinatesToViewCoordinates(mark.at);
        const double d = std::hypot(c.x - position.x, c.y - position.y);
        // On a tie the first is named: a zero or pole before a critical point at it.
        if (d < best) {
            best = d;
            nearest = mark;
        }
    }
    return nearest;
}

}  // namespace zw
