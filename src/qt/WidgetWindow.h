#pragma once

#include <optional>

#include "platform/Window.h"

class QWidget;

namespace zw {

// The window that a plane or a dialog sees. A plane fills its own pane, so the pane stands in
// for its window: its frame size is the size the plane was last told about, which during a
// resize is still the old one.
class WidgetWindow : public Window {
  public:
    explicit WidgetWindow(QWidget* widget) : widget_(widget) {}

    CGSize frameSize() const override;
    void setFrameSize(CGSize size) { frameSize_ = size; }
    void setDelegate(WindowDelegate* delegate) override { delegate_ = delegate; }
    WindowDelegate* delegate() const { return delegate_; }
    void setAcceptsMouseMovedEvents(bool accepts) override;
    // Closes the top-level window the widget belongs to.
    void close() override;
    // A window-modal box on the top-level window; while one is up no second one opens.
    void beginAlertSheet(const std::string& title, const std::string& defaultButton,
                         const std::string& alternateButton, const std::string& otherButton,
                         const std::string& message) override;

  private:
    QWidget* widget_;
    std::optional<CGSize> frameSize_;
    WindowDelegate* delegate_ = nullptr;
};

}  // namespace zw
