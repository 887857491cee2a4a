#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/ImageStream.h"
#include "app/RangeDrawing.h"
#include "engine/ComplexFunctions.h"
#include "planes/PlaneController.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "views/ImageRefiner.h"

namespace zw {

class DomainView;
class Path;
class RangeView;
class Sender;
class Transformations;

// Mediates between the two planes and the function engine: routes points, runs the gridline
// constructions, answers the shading queries and carries out the menu actions.
class Controller final : public PlaneController {
  public:
    Controller();
    // The image streams refer to the controller's own refiners.
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    void awakeFromNib();

    // Point routing.
    CGPoint transform(CGPoint z) const override;
    CGPoint transformInv(CGPoint w) const;
    void newDomainPathStartedAt(CGPoint z) override;
    void newDomainPointAt(CGPoint z) override;
    // The range's readout: f(z), infinite at a pole and NaN where f has no value.
    void updateRangeCoordinates(CGPoint z) override;
    // Reads f afresh at the pointer's last z after f, a coefficient or a view changed, without
    // side effects on the engine.
    void refreshReadouts() override;

    // Gridlines.
    void constructTransformedGridlines() override;
    void startNewTransformedGridlineAt(CGPoint z) override;
    void addNewPointToTransformedGridlineAt(CGPoint z) override;
    void constructInverseGridlines() override;
    void startNewInverseGridlineAt(CGPoint w) override;
    void addNewPointToInverseGridlineAt(CGPoint w) override;

    // Function selection.
    void setFunction(Sender* sender);
    void setParameters(const std::string& name, float aR, float aI, float bR, float bI, float cR,
                       float cI, float dR, float dI);
    // A typed formula (and inverse, if not blank) becomes f as a catalogue choice would. If
    // either does not read, error says why and nothing changes.
    bool setFormula(const std::string& formula, const std::string& inverse, std::string& error);

    // Shading queries.
    float greyness(CGPoint z) const override;
    float argument(CGPoint z) const override;

    // Display options.
    void toggleShowTransformedPathsInDomain(Sender* sender);
    bool showTransformedPathsInDomain() const override { return showingDomainPaths; }
    void toggleShowInverseImagesOfRangeGridlines(Sender* sender);
    bool showInverseImagesOfRangeGridlines() const override { return showingInverseImagesInDomain; }
    Color rangeColor() const override;

    // Path history. While a path is still being drawn none of these acts: they would take
    // away the path under the pointer, and its release would then name the wrong path.
    void clearAll(Sender* sender);
    void removeLastPath(Sender* sender) override;
    void restoreLastPath();

    // Paths drawn in the range, with their preimages on every branch.
    void newRangePathStartedAt(CGPoint w) override;
    void newRangePointAt(CGPoint w) override;
    void rangePathEnded() override;
    const RangeDrawing& rangeDrawing() const { return rangeDrawing_; }
    // For each path drawn in the range, oldest first, how many of the domain's paths were drawn
    // before it: the order of the two kinds in the history, as a session keeps it.
    std::vector<std::size_t> rangePathPlaces() const;
    // Takes that order for the paths the planes hold now (a session's); places that do not fit
    // them put the range's paths last.
    void setRangePathPlaces(const std::vector<std::size_t>& places);
    // The Edit menu's Undo and Redo, through the domain's undo manager.
    void undo(Sender* sender);
    void redo(Sender* sender);
    bool canChangePathHistory() const;

    // Images that follow f: every image path recomputed from its domain path, as one undo step.
    void redrawImagesUnderCurrentFunction(Sender* sender);
    // True images: path segments, grid images and pull-backs refined where f bends or jumps.
    void toggleFollowCurvesNearPoles(Sender* sender);
    // Appends to two empty paths the image of a domain path (in domain view coordinates), in
    // the range's and in the domain's view coordinates.
    void traceImage(const Path& source, Path& rangeImage, Path& domainImage);
    void setRangeNeedsCompleteRedraw() override;
    bool followsCurvesNearPoles() const override { return followCurvesNearPoles; }
    const PlaneView* rangePlane() const override;
    // f has no finite value anywhere in the domain's view (as last checked, at every change of
    // f or of the views): none of its images can be drawn.
    bool nowhereFinite() const { return nowhereFinite_; }

    DomainView* domain = nullptr;
    RangeView* range = nullptr;
    Transformations* transformations = nullptr;
    bool showingDomainPaths = false;
    bool showingInverseImagesInDomain = false;
    Sender* inverseImages = nullptr;
    bool followCurvesNearPoles = false;

    // Evaluations of f allowed for refining the image of one pointer event's segment, and of
    // one whole rebuild of a mapped grid (or redraw of the images).
    static constexpr long long kSegmentBudget = ImageStream::kSegmentBudget;
    static constexpr long long kRebuildBudget = 2000000;

  private:
    // A new function (from the menu or a formula), or new coefficients of a user's map.
    enum class Change { Function, Coefficients };
    // What every new f rebuilds: grid images, pull-backs, shading, readouts.
    void functionChanged(Change change);
    // Where an image follows curves near poles, a stand-in is taken for what f is there.
    CGPoint followed(const Evaluation& e) const;
    // After a new function without inverse: the alert, then the pull-backs switched off.
    void dropInverseImages();

    // Forward into the range, and back into the domain; the path's image and the grid images
    // share the forward one.
    ImageRefiner forward_;
    ImageRefiner backward_;
    // The images that follow curves near poles, one per kind: each knows its last sample, its
    // budget and where its points go.
    ImageStream pathStream_;
    ImageStream gridStream_;
    ImageStream inverseStream_;
    // The pointer has put an f(z) into the range's readout.
    bool readoutShown_ = false;
    bool nowhereFinite_ = false;
    void checkValuesInView();
    RangeDrawing rangeDrawing_;
    // Which plane each path was drawn in (true: the range), oldest first; and of the removed
    // paths, the one Undo brings back first last.
    std::vector<bool> drawnInRange_;
    std::vector<bool> removedDrawnInRange_;
    // The newest path held, or the last one removed, was drawn in the range.
    bool newestDrawnInRange() const;
    bool lastRemovedDrawnInRange() const;
};

}  // namespace zw
