#pragma once

#include <string>

#include "platform/Geometry.h"

namespace zw {

class Window;

class WindowDelegate {
  public:
    virtual ~WindowDelegate() = default;
    // Returns the size the window takes.
    virtual CGSize windowWillResize(Window* window, CGSize toSize) = 0;
};

class Window {
  public:
    virtual ~Window() = default;
    virtual CGSize frameSize() const = 0;
    virtual void setDelegate(WindowDelegate* delegate) = 0;
    virtual void setAcceptsMouseMovedEvents(bool accepts) = 0;
    virtual void close() = 0;
    // Shows a sheet on the window and returns at once; nothing is called back.
    virtual void beginAlertSheet(const std::string& title, const std::string& defaultButton,
                                 const std::string& alternateButton, const std::string& otherButton,
                                 const std::string& message) = 0;
};

}  // namespace zw
