#pragma once

#include "planes/PlaneView.h"

namespace zw {

// The w-plane: shows the images of the domain's paths and of its grid, arriving point by
// point from the controller already transformed.
class RangeView : public PlaneView {
  public:
    RangeView(ViewHost* host, CGRect frame);

    void startNewPathAt(CGPoint w);
    void addNewPointAt(CGPoint w);
    // The image goes on from w without a line to it: it jumped (a pole, a branch cut).
    void jumpPathTo(CGPoint w);
    void setTransformedCoords(CGPoint w);
    void drawRect(Canvas& canvas, CGRect dirtyRect) override;
    // Drawing in the range, off at first: with it on, a drag draws a path in w whose preimages
    // the controller follows into the domain.
    void toggleAllowDrawing_(Sender* sender);
    void mouseDown(const MouseEvent& event) override;
    void mouseDragged(const MouseEvent& event) override;
    void mouseUp(const MouseEvent& event) override;
    // Between a press and its release while drawing is allowed.
    bool isDrawingPath() const { return drawingPath_; }
    void shiftPathsBy(const AffineTransform& transform) override;
    void clear(Sender* sender) override;
    // Takes the newest drawn path away (it waits among the removed ones), or brings the last
    // one removed back.
    void removeLastDrawnPath();
    void restoreLastDrawnPath();

    // Grids.
    // Rebuilds, in this order: the images of the domain's grid (dropped, then sent again through
    // the controller) and, where shown, the pull-backs of this plane's grid; then the plane's
    // own grid, axes, marks and labels.
    void constructAxes() override;
    void makeHorizontalMarksWithStep(int step) override;
    void makeVerticalMarksWithStep(int step) override;
    void startNewTransformedGridlineAt(CGPoint w);
    void addNewPointToTransformedGridlineAt(CGPoint w);
    void jumpTransformedGridlineTo(CGPoint w);
    void clearTransformedGridlines();
    bool shouldShowTransformedGridlines() const { return showTransformedGridlines; }
    void showTransformedGridlinesAction(Sender* sender);
    void showRangeGrid(Sender* sender);
    void constructInverseGridlines();
    void transformHorizontalGridlines(int step);
    void transformVerticalGridlines(int step);

    CGPoint pathStart;
    CGPoint pathPoint;
    Path* transformedGridline = nullptr;
    bool showTransformedGridlines = false;
    PathList transformedGridlines;
    bool allowDrawing = false;
    // The paths drawn in the range, in its path colour, oldest first; they have no images, only
    // the preimages the domain keeps.
    PathList drawnPaths;
    PathList removedDrawnPaths;

  protected:
    void moveMappedLayersBy(double dx, double dy) override;

  private:
    bool drawingPath_ = false;
    // Sends the samples of one family of this plane's gridlines through the controller.
    void walkIntoDomain(bool horizontal, int step);
};

}  // namespace zw
