#pragma once

#include <optional>

#include "platform/Geometry.h"

namespace zw {

class Controller;
class DomainView;
class PlaneView;
class RangeView;

// Where the pointer is, in both planes at once: the true point under it, its image through f
// (or f⁻¹ from the range, where f has an inverse) and where that image lies in the other plane.
class LinkedCursor {
  public:
    enum class Pane { None, Domain, Range };

    struct Reading {
        Pane pane = Pane::None;
        // z over the domain, w over the range.
        CGPoint point{};
        // f(z) over the domain; f⁻¹(w) over the range when f has an inverse. Where the engine
        // has only a stand-in for it, the point at infinity (at a pole) or NaN (no value).
        bool hasImage = false;
        CGPoint image{};
        // The length of a pixel in the point's plane and in the image's: what the status bar's
        // numbers must tell apart.
        double pointUnit = 0.01;
        double imageUnit = 0.01;
        // View positions of the markers, each in its own plane; none while switched off, and
        // none for an image that is not finite or lies away from the view.
        std::optional<CGPoint> domainMarker;
        std::optional<CGPoint> rangeMarker;
    };

    LinkedCursor(Controller& controller, DomainView& domain, RangeView& range);

    void pointerAt(Pane pane, CGPoint viewPosition);
    void pointerLeft();
    // Read afresh from the planes' current viewports and function.
    Reading read() const;

    // Markers farther than this outside a view are not shown.
    static constexpr double kMargin = 8.0;
    static bool nearView(const PlaneView& plane, CGPoint viewPosition);

    bool markersShown = true;

  private:
    Controller& controller_;
    DomainView& domain_;
    RangeView& range_;
    Pane pane_ = Pane::None;
    CGPoint position_{};
};

}  // namespace zw
