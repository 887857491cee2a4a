#pragma once

#include <functional>

#include "platform/Color.h"

namespace zw {

// The application's one colour chooser; it calls its single target whenever a colour is picked.
class ColorPanel {
  public:
    virtual ~ColorPanel() = default;
    virtual void setTarget(std::function<void()> action) = 0;
    virtual void makeKeyAndOrderFront() = 0;
    virtual Color color() const = 0;

    // The shared panel, installed by the platform at start-up; null until then.
    static ColorPanel* sharedColorPanel();
    static void setSharedColorPanel(ColorPanel* panel);
};

}  // namespace zw
