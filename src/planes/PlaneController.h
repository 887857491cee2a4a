#pragma once

#include <cmath>
#include <cstddef>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace zw {

class PlaneView;
class Sender;

// What the planes ask of whatever wires them to the function: routing points, the gridline
// constructions and the shading queries. The planes sit below the application and know it only
// through this.
class PlaneController {
  public:
    // Point routing.
    virtual CGPoint transform(CGPoint z) const = 0;
    // transform over a row of points, w[k] = transform(z[k]) to the bit.
    virtual void transformRow(const CGPoint* z, CGPoint* w, std::size_t n) const {
        for (std::size_t k = 0; k < n; ++k) {
            w[k] = transform(z[k]);
        }
    }
    // Whether transformRow may run on several threads at once, each with its own points, and
    // give what one thread gives.
    virtual bool transformsInParallel() const { return false; }
    virtual void newDomainPathStartedAt(CGPoint z) = 0;
    virtual void newDomainPointAt(CGPoint z) = 0;
    virtual void updateRangeCoordinates(CGPoint z) = 0;
    virtual void refreshReadouts() = 0;
    virtual void setRangeNeedsCompleteRedraw() = 0;
    // Undoes the last path drawn, wherever its images went.
    virtual void removeLastPath(Sender* sender) = 0;
    // A path drawn in the range: its preimages on every branch follow it into the domain, and
    // its end makes one undo step.
    virtual void newRangePathStartedAt(CGPoint w) = 0;
    virtual void newRangePointAt(CGPoint w) = 0;
    virtual void rangePathEnded() = 0;

    // Gridlines: a plane hands the samples of its own grid to be mapped into the other plane.
    virtual void constructTransformedGridlines() = 0;
    virtual void startNewTransformedGridlineAt(CGPoint z) = 0;
    virtual void addNewPointToTransformedGridlineAt(CGPoint z) = 0;
    // The same with w = transform(z) found beforehand, for a function that transformsInParallel.
    virtual void startNewTransformedGridlineAt(CGPoint z, CGPoint /*w*/) {
        startNewTransformedGridlineAt(z);
    }
    virtual void addNewPointToTransformedGridlineAt(CGPoint z, CGPoint /*w*/) {
        addNewPointToTransformedGridlineAt(z);
    }
    virtual void constructInverseGridlines() = 0;
    virtual void startNewInverseGridlineAt(CGPoint w) = 0;
    virtual void addNewPointToInverseGridlineAt(CGPoint w) = 0;

    // Shading queries.
    virtual float greyness(CGPoint z) const = 0;
    virtual float argument(CGPoint z) const = 0;
    // The same measures of a value w already found: greyness(z) is greynessOf(transform(z)).
    static float greynessOf(CGPoint w) {
        return static_cast<float>(std::atan(std::sqrt(w.x * w.x + w.y * w.y)) / 2.0);
    }
    static float argumentOf(CGPoint w) {
        return static_cast<float>(std::atan2(w.y, w.x) * 180.0 / 3.141592653589793);
    }

    // Display options.
    virtual bool showTransformedPathsInDomain() const = 0;
    virtual bool showInverseImagesOfRangeGridlines() const = 0;
    // The range's grid is pulled back on every branch, whether or not f has an inverse.
    virtual bool pullsBackOnEveryBranch() const = 0;
    virtual Color rangeColor() const = 0;
    // Images are refined where f bends or jumps, so a stroke may add several elements at once.
    virtual bool followsCurvesNearPoles() const = 0;

    // The other plane, whose paths are counted with the domain's own.
    virtual const PlaneView* rangePlane() const = 0;

  protected:
    PlaneController() = default;
    PlaneController(const PlaneController&) = default;
    PlaneController& operator=(const PlaneController&) = default;
    ~PlaneController() = default;
};

}  // namespace zw
