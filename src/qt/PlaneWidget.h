#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

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

    CGRect bounds() const override;
    void setNeedsDisplay(bool needs) override;
    bool inLiveResize() const override { return liveResize_; }
    // The pane's stand-in window; QWidget::window() is still the top-level widget.
    Window* window() override { return &window_; }
    UndoManager* undoManager() override { return undoManager_; }
    CGPoint convertPointFromWindow(CGPoint p) const override { return p; }

    // Runs the pending pass of every pane that asked for display since its last pass.
    static void flushAll();
    static constexpr int kLiveResizeEndMs = 250;

  signals:
    // An input event or a resize has been handed to the plane and the passes are done.
    void eventHandled();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void runPass();
    void handled();
    void endLiveResize();
    void allocateImage(QSize size);
    bool imageFits(QSize size) const;
    CGPoint toView(QPointF position) const;
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
    bool leftButtonDown_ = false;
    int passCount_ = 0;
    QTimer liveResizeTimer_;
};

}  // namespace zw
