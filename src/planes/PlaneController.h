#pragma once

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
    virtual void constructInverseGridlines() = 0;
    virtual void startNewInverseGridlineAt(CGPoint w) = 0;
    virtual void addNewPointToInverseGridlineAt(CGPoint w) = 0;

    // Shading queries.
    virtual float greyness(CGPoint z) const = 0;
    virtual float argument(CGPoint z) const = 0;

    // Display options.
    virtual bool showTransformedPathsInDomain() const = 0;
    virtual bool showInverseImagesOfRangeGridlines() const = 0;
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
