#pragma once

#include <cstddef>
#include <memory>

#include "planes/PlaneView.h"
#include "platform/Canvas.h"
#include "views/ShadedPixels.h"
#include "views/ShadingColours.h"

namespace zw {

// The z-plane: the user draws paths here with the mouse; their images, the pull-backs of the
// range's grid and the shading boxes are kept here too.
class DomainView : public PlaneView {
  public:
    DomainView(ViewHost* host, CGRect frame);

    void awakeFromNib() override;

    void mouseDown(const MouseEvent& event) override;
    void mouseDragged(const MouseEvent& event) override;
    void mouseUp(const MouseEvent& event) override;
    void mouseMoved(const MouseEvent& event) override;
    void updateCoords();
    // Between a press and its release: the newest path is still being drawn, and the path
    // history must leave it alone.
    bool isDrawingPath() const { return drawingPath_; }
    void startNewTransformedPathAt(CGPoint w);
    void addNewTransformedPointAt(CGPoint w);
    // The image goes on from w without a line to it: it jumped (a pole, a branch cut).
    void jumpTransformedPathTo(CGPoint w);
    CGSize windowWillResize(Window* window, CGSize toSize) override;
    // Adds a path through these true points as if it had been drawn: its image through the
    // controller, the path colour and one "Last Path Drawn" undo step. A shape that would take
    // the paths past what they may hold is not added: an alert says why, and it returns false.
    bool addExactPath(const std::vector<CGPoint>& points);
    // What the paths may hold, counted over the domain's paths, both lists of their images
    // and the removed ones that Undo may bring back. Within these, a session saves to a file
    // (each point at most 57 bytes) that is below SessionReader's limits and opens again.
    static constexpr std::size_t kMaxHeldPoints = 3'500'000;
    static constexpr std::size_t kMaxHeldPaths = 30'000;
    std::size_t heldPoints() const;
    std::size_t heldPaths() const { return paths.size() + removedPaths.size(); }

    // Drawing and path history.
    void drawRect(Canvas& canvas, CGRect dirtyRect) override;
    void setNeedsCompleteRedraw();
    void clear(Sender* sender) override;
    void removeLastPath(Sender* sender) override;
    void restoreLastPath() override;
    void shiftPathsBy(const AffineTransform& transform) override;

    // Grids.
    // Rebuilds, in this order: the images of the domain's grid in the range and, where shown,
    // the pull-backs of the range's grid (both through the controller); the shading, where
    // shown; then the plane's own grid, axes, marks and labels.
    void constructAxes() override;
    void makeHorizontalMarksWithStep(int step) override;
    void makeVerticalMarksWithStep(int step) override;
    void constructTransformedGridlines();
    void transformHorizontalGridlines(int step);
    void transformVerticalGridlines(int step);
    void startNewInverseGridlineAt(CGPoint z);
    void addNewPointToInverseGridlineAt(CGPoint z);
    void jumpInverseGridlineTo(CGPoint z);
    void clearInverseGridlines();
    void showDomainGrid(Sender* sender);

    // Shading. Actions named like a flag carry the suffix Action.
    void constructContours();
    void makeBoxes(int tx, int ty, int step);
    void fillBackground(Canvas& canvas) override;
    void showContoursAction(Sender* sender);
    void showArgumentsAction(Sender* sender);
    void highestResolutionAction(Sender* sender);
    void viewDidEndLiveResize() override;
    int contourBoxSize() const;
    void setShadingColours(ShadingColours colours);
    void setShadingResolution(ShadingResolution resolution);
    // Every pixel is shaded now: so chosen, and not in a live resize, which shades in coarse
    // boxes to keep up with the pointer.
    bool shadesEveryPixel() const;
    // How many pixels Every Pixel has asked f for since the view was made, and the memory of
    // the picture it keeps between passes: for tests and benchmarks.
    std::size_t pixelsShaded() const { return pixelsShaded_; }
    std::size_t shadedPixelBytes() const { return shadedPixels_.bytesHeld(); }

    // The most boxes one rebuild makes; a larger pane is shaded with coarser boxes. About two
    // million: a pane as large as a 4K screen at 2-unit boxes, some 140 MB and a tenth of a
    // second or two per rebuild.
    static constexpr std::size_t kMaxContourBoxes = std::size_t{1} << 21;

    CGPoint mousePosition;
    CGPoint pathStart;
    CGPoint pathPoint;
    PathList transformedPathsShownInDomain;
    PathList removedTransformedPathsShownInDomain;
    PathList inverseGridlines;
    // The preimages of each path drawn in the range, one list per such path (each branch a
    // path of its own), and those of the removed ones that Undo may bring back.
    std::vector<PathList> preimagePaths;
    std::vector<PathList> removedPreimagePaths;
    Path* transformedPathShownInDomain = nullptr;
    Path* inverseGridline = nullptr;
    bool showArguments = false;
    bool highestResolution = false;
    ShadingColours shadingColours = ShadingColours::Classic;
    ShadingResolution shadingResolution = ShadingResolution::Boxes;

  protected:
    void moveMappedLayersBy(double dx, double dy) override;

  private:
    // Shading is rebuilt only while it is shown; constructContours lets it go otherwise.
    void rebuildShadingIfShown();
    // Starts a new path in the path colour at `start` (view) and its images at f(z).
    void beginPath(CGPoint start, CGPoint z);
    // Sends the samples of one family of this plane's gridlines through the controller.
    void walkIntoRange(bool horizontal, int step);
    // The boxes the four passes make at this box size.
    double countBoxes(int step) const;
    // Makes the boxes of one quarter into the list from place `at` on (the list grown to hold
    // them where it is shorter) and returns how many.
    std::size_t makeBlock(int tx, int ty, int step, std::size_t at);
    void makeBox(double x, double y, int step, ColoredRect& box);
    // The colour of the shading at z, through the controller's one-point queries.
    Color boxColor(CGPoint z) const;
    // The same colour from w = f(z) already found; for a function that may run on any thread.
    Color shade(CGPoint w) const;
    // The columns' and rows' positions of the boxes of one quarter.
    BoxLattice::Block blockAxes(int tx, int ty, int step) const;
    // The boxes of these blocks made together, one after another from `boxes` and their pixels
    // from `pixels`, f over each row at once and the rows shared among every core: the same
    // boxes in the same order as makeBox one by one.
    void makeBoxRows(const std::vector<BoxLattice::Block>& blocks, int step, ColoredRect* boxes,
                     std::uint32_t* pixels);
    // Colours every pixel of `image` from f at its centre: from the pixels kept since the pass
    // before, where they are still right, and f asked only for the rest.
    void shadeEveryPixel(const PixelImage& image);
    // Colours the pixels of `strip` in `image` from f at their centres.
    void shadePixels(const PixelImage& image, const ShadedPixels::Strip& strip);

    ShadedPixels shadedPixels_;
    std::size_t pixelsShaded_ = 0;

    std::unique_ptr<Path> looseTransformedPath_;
    bool drawingPath_ = false;
};

}  // namespace zw
