#include "planes/Viewport.h"

#include <algorithm>
#include <cmath>

namespace zw {

namespace {

// Scales by s about the view position `from`, which lands at `to`: a point p goes to
// to + s · (p - from).
AffineTransform scaleAbout(CGPoint from, double s, CGPoint to) {
    AffineTransform toFrom;
    toFrom.translateXBy(-from.x, -from.y);
    AffineTransform scale;
    scale.scaleBy(s);
    AffineTransform toTo;
    toTo.translateXBy(to.x, to.y);
    AffineTransform composed;
    composed.appendTransform(toFrom);
    composed.appendTransform(scale);
    composed.appendTransform(toTo);
    return composed;
}

}  // namespace

CGRect Viewport::regionAround(double margin) const {
    const CGPoint a = toTrue({-margin, -margin});
    const CGPoint b = toTrue({viewWidth + margin, viewHeight + margin});
    return {{std::min(a.x, b.x), std::min(a.y, b.y)}, {std::fabs(b.x - a.x), std::fabs(b.y - a.y)}};
}

Viewport Viewport::centredOn(CGPoint z) const {
    const double k = pixelsPerUnit();
    Viewport v = *this;
    // 0 - x rather than -x: a plane centred on the origin has translation 0, not -0.
    v.translation = {0.0 - k * z.x, 0.0 - k * z.y};
    return v;
}

std::optional<Viewport::Change> Viewport::scaledBy(float factor, CGPoint newTranslation,
                                                   const AffineTransform& move) const {
    Change change{*this, move};
    change.viewport.scaleFactor = scaleFactor * factor;
    if (!allowsScaleFactor(change.viewport.scaleFactor)) {
        return std::nullopt;
    }
    change.viewport.translation = newTranslation;
    return change;
}

std::optional<Viewport::Change> Viewport::zoomedAboutCentre(float factor) const {
    const double s = factor;
    const CGPoint c = centre();
    const CGPoint t = translation;
    // The origin stays on the line from the centre: its offset t scales with the plane.
    return scaledBy(factor, {s * t.x, s * t.y},
                    scaleAbout({c.x + t.x, c.y + t.y}, s, {c.x + t.x * s, c.y + t.y * s}));
}

std::optional<Viewport::Change> Viewport::zoomedAbout(CGPoint p, float factor) const {
    const double s = factor;
    const CGPoint c = centre();
    const CGPoint t = translation;
    // p = c + k·z + t for the true point z under p; with k scaled by s, z stays under p when
    // p - c - t' is s·(p - c - t).
    return scaledBy(factor,
                    {(p.x - c.x) - s * ((p.x - c.x) - t.x), (p.y - c.y) - s * ((p.y - c.y) - t.y)},
                    scaleAbout(p, s, p));
}

Viewport::Change Viewport::panned(double dx, double dy) const {
    Change change{*this, {}};
    change.move.translateXBy(dx, dy);
    change.viewport.translation = {translation.x + dx, translation.y + dy};
    return change;
}

Viewport::Change Viewport::resized(int32_t width, int32_t height) const {
    Change change{*this, {}};
    // The paths follow the view centre, which moves by whole units: by half an odd change
    // they would end half a unit off their points, and every later zoom-in doubles that.
    change.move.translateXBy(static_cast<double>(width / 2 - viewWidth / 2),
                             static_cast<double>(height / 2 - viewHeight / 2));
    change.viewport.viewWidth = width;
    change.viewport.viewHeight = height;
    return change;
}

Viewport::Change Viewport::reset() const {
    Change change{*this, {}};
    const CGPoint c = centre();
    const CGPoint t = translation;
    // Powers of two: the reciprocal is exact.
    const double s = 1.0 / static_cast<double>(scaleFactor);
    change.move = scaleAbout({c.x + t.x, c.y + t.y}, s, c);
    change.viewport.scaleFactor = 1.0f;
    change.viewport.translation = {0.0, 0.0};
    return change;
}

}  // namespace zw
