#pragma once

#include "platform/Geometry.h"

namespace zw {

class UndoManager;
class Window;

// The platform view that a plane lives in.
class ViewHost {
  public:
    virtual ~ViewHost() = default;
    virtual CGRect bounds() const = 0;
    virtual void setNeedsDisplay(bool needs) = 0;
    virtual bool inLiveResize() const = 0;
    virtual Window* window() = 0;
    virtual UndoManager* undoManager() = 0;
    virtual CGPoint convertPointFromWindow(CGPoint p) const = 0;
};

}  // namespace zw
