#pragma once

#include <string>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace zw {

class DomainView;
class RangeView;
class Sender;
class Transformations;

// Mediates between the two planes and the function engine: routes points, runs the gridline
// constructions, answers the shading queries and carries out the menu actions.
class Controller {
  public:
    void awakeFromNib();

    // Point routing.
    CGPoint transform(CGPoint z) const;
    CGPoint transformInv(CGPoint w) const;
    void newDomainPathStartedAt(CGPoint z);
    void newDomainPointAt(CGPoint z);
    void updateRangeCoordinates(CGPoint z);

    // Gridlines.
    void constructTransformedGridlines();
    void startNewTransformedGridlineAt(CGPoint z);
    void addNewPointToTransformedGridlineAt(CGPoint z);
    void constructInverseGridlines();
    void startNewInverseGridlineAt(CGPoint w);
    void addNewPointToInverseGridlineAt(CGPoint w);

    // Function selection.
    void setFunction(Sender* sender);
    void setParameters(const std::string& name, float aR, float aI, float bR, float bI, float cR,
                       float cI, float dR, float dI);

    // Shading queries.
    float greyness(CGPoint z) const;
    float argument(CGPoint z) const;

    // Display options.
    void toggleShowTransformedPathsInDomain(Sender* sender);
    bool showTransformedPathsInDomain() const { return showingDomainPaths; }
    void toggleShowInverseImagesOfRangeGridlines(Sender* sender);
    bool showInverseImagesOfRangeGridlines() const { return showingInverseImagesInDomain; }
    Color rangeColor() const;

    // Path history. While a path is still being drawn none of these acts: they would take
    // away the path under the pointer, and its release would then name the wrong path.
    void clearAll(Sender* sender);
    void removeLastPath(Sender* sender);
    void restoreLastPath();
    // The Edit menu's Undo and Redo, through the domain's undo manager.
    void undo(Sender* sender);
    void redo(Sender* sender);
    bool canChangePathHistory() const;

    DomainView* domain = nullptr;
    RangeView* range = nullptr;
    Transformations* transformations = nullptr;
    bool showingDomainPaths = false;
    bool showingInverseImagesInDomain = false;
    Sender* inverseImages = nullptr;

  private:
    // After a new function without inverse: the alert, then the pull-backs switched off.
    void dropInverseImages();
};

}  // namespace zw
