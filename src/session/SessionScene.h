#pragma once

#include "app/Workbench.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "platform/ViewHost.h"

namespace zw {

class Session;

// The two planes and their controller without a window, each plane at a fixed size: what
// renders a session into a picture from the command line. The engine is process-wide, so
// a scene is meant for a process that shows no window.
class SessionScene {
  public:
    SessionScene(CGSize domainSize, CGSize rangeSize);
    SessionScene(const SessionScene&) = delete;
    SessionScene& operator=(const SessionScene&) = delete;

    void apply(const Session& session);

    DomainView& domain() { return *workbench_.domain(); }
    RangeView& range() { return *workbench_.range(); }
    Controller& controller() { return workbench_.controller; }
    Workbench& workbench() { return workbench_; }

  private:
    // A plane's host that never changes size and draws only when asked.
    class FixedHost : public ViewHost {
      public:
        FixedHost(CGSize size, UndoManager* undo) : size_(size), undo_(undo) {}
        CGRect bounds() const override { return {{0.0, 0.0}, size_}; }
        void setNeedsDisplay(bool) override {}
        bool inLiveResize() const override { return false; }
        Window* window() override { return nullptr; }
        UndoManager* undoManager() override { return undo_; }
        CGPoint convertPointFromWindow(CGPoint p) const override { return p; }

      private:
        CGSize size_;
        UndoManager* undo_;
    };

    Workbench workbench_;
    FixedHost domainHost_;
    FixedHost rangeHost_;
};

}  // namespace zw
