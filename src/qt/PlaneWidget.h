#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "planes/Gesture.h"
#include "platform/ViewHost.h"
#include "qt/WidgetWindow.h"

namespace zw {

class PlaneView;
class UndoManager;

// The pane that hosts one plane. Passes draw into a persistent image, which keeps earlier
// drawing between passes as the incremental redraw needs; painting only copies it out.
class PlaneWidget : public QWidget, public ViewHost {
    Q_OBJECT

  public:
    explicit PlaneWidget(UndoManager* undoManager, QWidget* parent = nullptr);
    ~PlaneWidget() override;

    // The frame a new view of this pane starts with: the pane's present size, which the
    // pane's window reports as its frame from now on.
    CGRect frameForNewView();
    void setView(PlaneView* view);
    PlaneView* view() const { return view_; }
    // The backing image, at the screen's device pixel ratio.
    const QImage& image() const { return image_; }
    WidgetWindow* paneWindow() { return &window_; }
    int passCount() const { return passCount_; }
    // The readout in the plane's corner as it reads now (empty without a plane): the pane's
    // accessible value.
    QString readout() const;

    CGRect bounds() const override;
    void setNeedsDisplay(bool needs) override;
    bool inLiveResize() const override { return liveResize_; }
    // The pane's stand-in window; QWidget::window() is still the top-level widget.
    Window* window() override { return &window_; }
    UndoManager* undoManager() override { return undoManager_; }
    CGPoint convertPointFromWindow(CGPoint p) const override { return p; }

    // The pointer's view position while it is over this pane.
    std::optional<CGPoint> pointer() const { return pointer_; }
    // The pointer has moved over the pane with no button held since the last press: while a
    // button is down (drawing, panning) the picture under it speaks for itself.
    bool hovering() const { return pointer_.has_value() && gesture_.hovering(); }
    // What the mouse is doing in this pane, a modal alert over it included.
    const Gesture& gesture() const { return gesture_; }
    // Rings painted over the pane at view positions, never into its image.
    void setMarkers(std::vector<CGPoint> positions);
    const std::vector<CGPoint>& markers() const { return markers_; }
    // The first ring, for a pane that shows one.
    std::optional<CGPoint> marker() const {
        return markers_.empty() ? std::nullopt : std::optional<CGPoint>(markers_.front());
    }
    static constexpr int kWheelNotch = Gesture::kWheelNotch;
    static constexpr double kMarkerRadius = 4.5;

    // Runs the pending pass of every pane that asked for display since its last pass.
    static void flushAll();
    static constexpr int kLiveResizeEndMs = 250;

  signals:
    // An input event or a resize has been handed to the plane and the passes are done.
    void eventHandled();
    // The pointer moved over the pane, came in or left.
    void pointerChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void runPass();
    void handled();
    void endLiveResize();
    void allocateImage(QSize size);
    bool imageFits(QSize size) const;
    CGPoint toView(QPointF position) const;
    QRect markerArea(CGPoint position) const;
    // Carries out what the gesture made of a mouse event at a pane position.
    void carryOut(const GestureOutcome& outcome, QPointF position);
    static void scheduleFlush();

    UndoManager* undoManager_;
    WidgetWindow window_;
    PlaneView* view_ = nullptr;
    QImage image_;
    // The pane size, in logical pixels, that image_ was made for.
    QSize imageSize_;
    bool pending_ = false;
    // A fresh image holds none of the earlier drawing, so its first pass must be complete.
    bool surfaceLost_ = true;
    bool liveResize_ = false;
    int passCount_ = 0;
    std::optional<CGPoint> pointer_;
    std::vector<CGPoint> markers_;
    // Which button draws or pans, and whether a release went astray; in pane positions.
    Gesture gesture_;
    QTimer liveResizeTimer_;
    // The readout last announced to assistive technology.
    QString announcedReadout_;
};

}  // namespace zw
