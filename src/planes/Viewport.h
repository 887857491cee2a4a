#pragma once

#include <cstdint>
#include <optional>

#include "planes/Walk.h"
#include "platform/AffineTransform.h"
#include "platform/Geometry.h"

namespace zw {

// Where a plane's window onto the complex plane is: the true point z appears at view position
//     centre + (100 · scaleFactor · z + translation),
// where the centre is half the view's size in whole units and 100 · scaleFactor is formed in
// single precision, as the scale factor is kept. Every conversion between true and view
// coordinates, and every change of the view, goes through here, so that the arithmetic (and
// its rounding) is written once.
//
// A change returns the new viewport together with the transform that moves a point stored in
// view coordinates so that it stays on its true point.
struct Viewport {
    // The scale factor stays within these bounds: beyond them a single-precision factor
    // reaches 0 or infinity and the plane could never come back.
    static constexpr float kMinScaleFactor = 0x1p-100f;
    static constexpr float kMaxScaleFactor = 0x1p100f;

    struct Change;

    float scaleFactor = 1.0f;
    CGPoint translation;
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;

    // NaN is outside too.
    static bool allowsScaleFactor(double factor) {
        return factor >= kMinScaleFactor && factor <= kMaxScaleFactor;
    }

    // View units per true unit, in single precision as the factor is.
    float unit() const { return 100.0f * scaleFactor; }
    double pixelsPerUnit() const { return static_cast<double>(unit()); }
    // The length of one view unit (a pixel) in true units.
    double truePerPixel() const { return 1.0 / pixelsPerUnit(); }
    // The view centre: whole units, so that the axes of an odd-sized view fall on whole units.
    CGPoint centre() const {
        return {static_cast<double>(viewWidth / 2), static_cast<double>(viewHeight / 2)};
    }
    // Where the true origin appears.
    CGPoint origin() const { return {translation.x + centre().x, translation.y + centre().y}; }
    // The view's size along the real axis (x) or the imaginary axis (y), and the origin's offset.
    Walk::Axis axisAlong(bool realAxis) const {
        return realAxis ? Walk::Axis{viewWidth, translation.x}
                        : Walk::Axis{viewHeight, translation.y};
    }

    CGPoint toView(CGPoint z) const {
        const double k = pixelsPerUnit();
        const CGPoint c = centre();
        return {c.x + (k * z.x + translation.x), c.y + (k * z.y + translation.y)};
    }
    CGPoint toTrue(CGPoint p) const {
        const double k = pixelsPerUnit();
        const CGPoint c = centre();
        return {((p.x - translation.x) - c.x) / k, ((p.y - translation.y) - c.y) / k};
    }

    // The view widened by `margin` view units each way, in true coordinates: where a search in
    // the plane looks, so that what lies just outside the view is found too.
    CGRect regionAround(double margin) const;

    // The same scale and size with the true point z at the view centre.
    Viewport centredOn(CGPoint z) const;

    // Scaled by `factor` (a power of two keeps every point exact) about the view centre, or
    // about the view position `p`, whose true point stays there. None when the scale factor
    // would leave its bounds.
    std::optional<Change> zoomedAboutCentre(float factor) const;
    std::optional<Change> zoomedAbout(CGPoint p, float factor) const;
    // Moved by (dx, dy) view units: the plane and everything on it moves with the pointer.
    Change panned(double dx, double dy) const;
    // A new size: the plane stays put about the view centre, which moves by whole units.
    Change resized(int32_t width, int32_t height) const;
    // Scale factor 1, true origin at the view centre.
    Change reset() const;

  private:
    // Scaled by `factor` with the new translation and the move of the stored points; none when
    // the scale factor would leave its bounds.
    std::optional<Change> scaledBy(float factor, CGPoint newTranslation,
                                   const AffineTransform& move) const;
};

// A viewport and what moves the stored points onto it.
struct Viewport::Change {
    Viewport viewport;
    AffineTransform move;
};

}  // namespace zw
