#pragma once

#include <optional>
#include <vector>

#include "engine/ActiveFunction.h"
#include "formula/FormulaParser.h"
#include "platform/Geometry.h"
#include "roots/Preimages.h"

namespace zw {

class Controller;
class DomainView;
class PlaneView;
class RangeView;
class Transformations;

// Where the pointer is, in both planes at once: the true point under it, its image through f
// (or, from the range, every z with f(z) = w in and just around the domain's view) and where
// those lie in the other plane.
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
        // Over the range: the preimages of w found in the domain's view and its margin, f⁻¹(w)
        // first where it is one of them, and how many there are in all (more than listed when
        // the solver's cap left some out).
        std::vector<CGPoint> preimages;
        int preimageCount = 0;
        // Of preimageCount, those the solver's cap left out; and whether the search stopped
        // short (out of budget, or a part of the view it could not judge), so that there may
        // be more than it says.
        int leftOut = 0;
        bool incomplete = false;
        // View positions of the markers, each in its own plane; none while switched off, and
        // none for an image that is not finite or lies away from the view. One ring in the
        // domain per preimage; domainMarker is the first of them.
        std::vector<CGPoint> domainMarkers;
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
    // Evaluations of f the preimage search may spend on one reading, so that a pointer move
    // over the range stays quick whatever f is.
    static constexpr long kPreimageBudget = 20000;
    // The farthest, in the range's pixels, the pointer may have moved since the last reading
    // for the preimages to be followed from it rather than searched afresh.
    static constexpr double kFollowPixels = 32.0;
    static bool nearView(const PlaneView& plane, CGPoint viewPosition);

    bool markersShown = true;
    // Evaluations of f the newest preimage search spent.
    long lastSearchEvaluations() const { return solved_.found.evaluations; }

  private:
    // The solver's preimages of w in the domain's view and margin, sorted, for the function
    // and view of the last query; and as the solver gave them, for the next query to follow on
    // from.
    struct Solved {
        bool valid = false;
        ActiveFunction function;
        CGPoint w{};
        CGRect region{};
        std::vector<CGPoint> points;
        int leftOut = 0;
        bool incomplete = false;
        roots::PreimageSet found;
        bool sameSearch(const ActiveFunction& f, CGRect area) const;
        // The parameters' values and the morph it was solved with.
        ParameterValues values;
        bool morph = false;
        bool sameQuery(const ActiveFunction& f, CGPoint at, CGRect area) const;
    };
    const Solved& solve(const Transformations& engine, CGPoint w) const;
    // Fills the reading's preimages of its point w.
    void findPreimages(const Transformations& engine, Reading& reading) const;

    Controller& controller_;
    DomainView& domain_;
    RangeView& range_;
    Pane pane_ = Pane::None;
    CGPoint position_{};
    mutable Solved solved_;
};

}  // namespace zw
