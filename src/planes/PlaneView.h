#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "planes/AxisLabel.h"
#include "planes/FeatureMark.h"
#include "planes/Path.h"
#include "planes/PlaneController.h"
#include "planes/Viewport.h"
#include "planes/Walk.h"
#include "platform/AffineTransform.h"
#include "platform/BoxLattice.h"
#include "platform/Color.h"
#include "platform/ColoredRect.h"
#include "platform/Events.h"
#include "platform/Geometry.h"
#include "platform/TextAttributes.h"
#include "platform/Window.h"

namespace zw {

class Canvas;
class ColorPanel;
class Sender;
class UndoManager;
class ViewHost;

// One window onto the complex plane. Everything drawn is stored in view coordinates (origin
// lower left, y up); a pan, zoom or resize moves the stored paths with one affine transform
// and rebuilds axes, ticks, labels and grids from true coordinates.
class PlaneView : public WindowDelegate {
  public:
    PlaneView(const PlaneView&) = delete;
    PlaneView& operator=(const PlaneView&) = delete;
    ~PlaneView() override;

    virtual void awakeFromNib();

    // The mapping between true and view coordinates, made of the fields scaleFactor,
    // translation, viewWidth and viewHeight below.
    Viewport viewport() const { return {scaleFactor, translation, viewWidth, viewHeight}; }
    void setViewport(const Viewport& v);
    CGPoint trueCoordinatesToViewCoordinates(CGPoint z) const { return viewport().toView(z); }
    CGPoint viewCoordinatesToTrueCoordinates(CGPoint p) const { return viewport().toTrue(p); }
    // The length of one view unit (a pixel) in true units: how finely the readouts must write.
    double unitSize() const { return viewport().truePerPixel(); }

    CGSize windowWillResize(Window* window, CGSize toSize) override;
    virtual void shiftPathsBy(const AffineTransform& transform);
    void zoomIn(Sender* sender);
    void zoomOut(Sender* sender);
    // Scales the plane by s about the view centre: the scale factor, the translation and the
    // stored paths together.
    void zoomPaths(float s);
    virtual void keyDown(const KeyEvent& event);

    // Navigation with the mouse. zoomAt scales by 2 (or 1/2) about a view position, so that the
    // true point there stays there; panBy moves the view as the panning keys do, by any vector.
    void zoomAt(CGPoint position, bool in);
    void panBy(double dx, double dy);
    // A pan that follows the pointer: stored paths, axes, ticks, labels and the plane's own grid
    // are moved or rebuilt at once, while what goes through the function (shading, mapped
    // gridlines) only moves with the plane until endLivePan rebuilds it once.
    void livePanBy(double dx, double dy);
    void endLivePan();
    // Scale factor 1, true origin at the view centre.
    void resetView(Sender* sender);
    bool acceptsFirstResponder() const { return true; }

    // Mouse input; a plane that draws nothing from the mouse ignores it.
    virtual void mouseDown(const MouseEvent&) {}
    virtual void mouseDragged(const MouseEvent&) {}
    virtual void mouseUp(const MouseEvent&) {}
    virtual void mouseMoved(const MouseEvent&) {}
    virtual void viewDidEndLiveResize() {}

    // The one hook every change of the viewport (and of what is shown) calls: it rebuilds from
    // true coordinates the axes, tick marks, labels and the plane's own grid; the concrete
    // planes extend it with what goes through the function (mapped gridlines, pull-backs,
    // shading).
    virtual void constructAxes();
    virtual void makeHorizontalMarksWithStep(int step);
    virtual void makeVerticalMarksWithStep(int step);
    void drawLabels(Canvas& canvas, const std::vector<AxisLabel>& labels) const;

    virtual void clear(Sender* sender);
    virtual void removeLastPath(Sender* sender);
    virtual void restoreLastPath();
    void drawPaths(Canvas& canvas, const PathList& list) const;
    // The drawing pass; the concrete planes draw their layers.
    virtual void drawRect(Canvas& canvas, CGRect dirtyRect);
    virtual void fillBackground(Canvas& canvas);
    bool isOpaque() const { return true; }

    void setColorBlack(Sender* sender);
    void setColorBlue(Sender* sender);
    void setColorGreen(Sender* sender);
    void setColorRed(Sender* sender);
    void setColorOther(Sender* sender);
    void newColorChosen();
    void toggleDisplayOption(Sender* item, bool& flag);
    void toggleAxesLabels(Sender* sender);
    // Keeps the axes' ticks and labels in view when the plane is panned away from them.
    void setCoordinatesAtEdges(bool on);

    // Platform view services, through the host.
    CGRect bounds() const;
    void setNeedsDisplay(bool needs);
    bool inLiveResize() const;
    Window* window() const;
    UndoManager* undoManager() const;
    ViewHost* host() const { return host_; }

    static constexpr float kMinScaleFactor = Viewport::kMinScaleFactor;
    static constexpr float kMaxScaleFactor = Viewport::kMaxScaleFactor;

    PlaneController* controller = nullptr;
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
    float scaleFactor = 0.0f;
    CGPoint translation;
    PathList paths;
    PathList removedPaths;
    PathList gridlines;
    std::unique_ptr<Path> xaxis;
    std::unique_ptr<Path> yaxis;
    Path* path = nullptr;
    PathList axesTickMarks;
    std::vector<AxisLabel> axesLabels;
    std::vector<ColoredRect> contours;
    bool tickMarks = false;
    bool showGridlines = false;
    bool showContours = false;
    // The axes' marks along the nearer edge when an axis is out of view (off: on the axes).
    bool coordinatesAtEdges = false;
    CGPoint coords;
    CGRect coordsRect;
    CGRect oldCoordsRect;
    TextAttributes standardAttributes;
    TextAttributes labelAttributes;
    CGPoint coordsPosition;
    bool needsCompleteRedraw = false;
    float xshift = 0.0f;
    float yshift = 0.0f;
    Color pathColor;
    ColorPanel* colorPanel = nullptr;
    // The same boxes as `contours`, laid out for painting; kept in step with them.
    BoxLattice contourLattice;
    // Off while a picture is drawn: the corner readout follows the pointer, not the plane.
    bool showsReadout = true;
    // Zeros, poles, critical points and values, drawn over everything else while shown.
    std::vector<FeatureMark> featureMarks;

  protected:
    // The first steps of creation; the concrete plane finishes it with
    // completeInitialisation() once its own overrides are in force.
    PlaneView(ViewHost* host, CGRect frame);
    void completeInitialisation();

    // Makes a new empty path that belongs to no list, held by `holder`.
    static Path* makeLoosePath(std::unique_ptr<Path>& holder);
    // Holds what `path` designates after a clear or a removal.
    std::unique_ptr<Path> loosePath_;
    // Complete-redraw layers shared by both planes: white, background, axes, ticks, labels.
    void drawBaseLayers(Canvas& canvas);
    // Ends every pass: erases the previous readout and draws `coords`.
    void drawCoordinates(Canvas& canvas);
    static void moveAll(PathList& list, const AffineTransform& transform);
    // Asks the controller to send the gridlines through the function again: the domain's grid
    // into the range and, where they are shown, the range's back into the domain.
    void rebuildGridImages();
    // Moves the layers built through the function by a pan still under way; each plane adds
    // its own mapped gridlines.
    virtual void moveMappedLayersBy(double dx, double dy);

    // The view's size along the real axis (x) or the imaginary axis (y), and the origin's offset.
    Walk::Axis axisAlong(bool realAxis) const { return viewport().axisAlong(realAxis); }
    // Walks the gridlines of one family (horizontal: rows of constant y) on the side of `step`,
    // sampling each line every 10 view units.
    void walkGridlines(bool horizontal, int step, const std::function<void(CGPoint)>& start,
                       const std::function<void(CGPoint)>& add) const;
    // The vertical (for horizontal marks) or horizontal lines of the plane's own grid.
    void addOwnGridlines(bool horizontalMarks, int step, double width, bool dashed);

  private:
    // Takes the new viewport, then moves the stored paths onto it (a plane's shift reads the
    // viewport for its readout); no rebuild.
    void moveTo(const Viewport::Change& change);
    // Moves the viewport and the stored paths by (dx, dy) view units; no rebuild.
    void moveViewBy(double dx, double dy);
    // After a change of the viewport: everything built from it again, and a full redraw.
    void rebuildAndRedraw();
    // Tick marks and labels on one side of one axis.
    void makeMarks(bool alongRealAxis, int step);

    ViewHost* host_;
    CGRect frame_;
    // The decimals of every label: two, or the fewest more that tell the neighbours along
    // each side of each axis apart.
    int labelDecimals_ = 2;
};

}  // namespace zw
