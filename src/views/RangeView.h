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
    void toggleAllowDrawing_(Sender* sender);

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

  protected:
    void moveMappedLayersBy(double dx, double dy) override;

  private:
    // Sends the samples of one family of this plane's gridlines through the controller.
    void walkIntoDomain(bool horizontal, int step);
};

}  // namespace zw
