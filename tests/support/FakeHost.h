#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "platform/ViewHost.h"
#include "platform/Window.h"

namespace zw::test {

struct AlertSheet {
    std::string title;
    std::string defaultButton;
    std::string alternateButton;
    std::string otherButton;
    std::string message;
};

// A platform view that is also its own window, the way each plane fills its own pane. Window
// positions are view positions shifted by `windowOffset` (zero unless set).
class FakeHost : public ViewHost, public Window {
  public:
    explicit FakeHost(CGSize size = {400.0, 300.0});

    // ViewHost
    CGRect bounds() const override { return {{0.0, 0.0}, boundsSize}; }
    void setNeedsDisplay(bool needs) override;
    bool inLiveResize() const override { return liveResize; }
    Window* window() override { return this; }
    UndoManager* undoManager() override { return &undo; }
    CGPoint convertPointFromWindow(CGPoint p) const override;

    // Window
    CGSize frameSize() const override { return frame; }
    void setDelegate(WindowDelegate* d) override;
    void setAcceptsMouseMovedEvents(bool accepts) override;
    void close() override { ++closeCalls; }
    void beginAlertSheet(const std::string& title, const std::string& defaultButton,
                         const std::string& alternateButton, const std::string& otherButton,
                         const std::string& message) override;

    // Resizes as the platform does: asks the delegate, then takes the size it returns as
    // both the window's frame and the view's bounds. Returns that size.
    CGSize resizeTo(CGSize proposed);
    void resetDisplayRequests() { needsDisplayCalls = 0; }

    CGSize boundsSize;
    CGSize frame;
    CGPoint windowOffset;
    bool liveResize = false;
    std::size_t needsDisplayCalls = 0;
    bool lastNeedsDisplay = false;
    WindowDelegate* delegate = nullptr;
    std::size_t setDelegateCalls = 0;
    bool acceptsMouseMovedEvents = false;
    std::size_t setAcceptsMouseMovedEventsCalls = 0;
    std::size_t closeCalls = 0;
    std::vector<AlertSheet> sheets;
    UndoManager undo;
};

}  // namespace zw::test
