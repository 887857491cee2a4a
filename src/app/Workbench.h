#pragma once

#include <memory>

#include "app/Controller.h"
#include "app/Parameters.h"
#include "engine/Transformations.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

class Sender;
class ViewHost;

// The objects the application makes once at start-up, owned and wired in one place: the
// engine, the controller, the two planes and the undo history their hosts record on. The
// window, the command line's pictures, the benchmarks, the fuzz targets and the tests all
// start from it, so the references are connected the same way everywhere.
//
// Two steps, as at start-up: the planes are made on their hosts and every reference is
// connected; then, once the host has wired whatever else it owns (the dialog controllers),
// every object is woken, the views first.
class Workbench {
  public:
    Workbench() = default;
    // Both steps at once, for hosts with nothing more to wire.
    Workbench(ViewHost* domainHost, CGRect domainFrame, ViewHost* rangeHost, CGRect rangeFrame,
              Sender* inverseImages = nullptr);
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    // Makes both planes (a null host: a plane without a platform view) and connects the
    // controller, the engine and the planes. `inverseImages` is the item whose check mark
    // the controller clears when a function has no inverse, if there is one.
    void makePlanes(ViewHost* domainHost, CGRect domainFrame, ViewHost* rangeHost,
                    CGRect rangeFrame, Sender* inverseImages = nullptr);
    // awakeFromNib to the views, then to the controller.
    void wake();

    DomainView* domain() const { return domain_.get(); }
    RangeView* range() const { return range_.get(); }

    UndoManager undoManager;
    Transformations transformations;
    Controller controller;
    // The parameters of f and the morph; a value given here rebuilds the picture once.
    Parameters parameters{controller, transformations};

  private:
    std::unique_ptr<DomainView> domain_;
    std::unique_ptr<RangeView> range_;
};

}  // namespace zw
