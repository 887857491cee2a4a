#pragma once

#include <initializer_list>
#include <memory>

#include "app/Controller.h"
#include "app/Workbench.h"
#include "engine/Transformations.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "support/FakeColorPanel.h"
#include "support/FakeHost.h"
#include "support/FakeSender.h"
#include "support/RecordingCanvas.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {

// The objects the application creates at start-up, wired as its interface description
// wires them, each plane in a fake host of its own. Unless told otherwise the constructor
// also sends awakeFromNib: to the views first, then to the controller.
class AppHarness {
  public:
    struct Options {
        CGSize domainSize{400.0, 300.0};
        CGSize rangeSize{400.0, 300.0};
        bool awake = true;
    };

    AppHarness() : AppHarness(Options{}) {}
    explicit AppHarness(Options options);
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    void awakeFromNib();

    // The undo manager the controller and the domain record on.
    UndoManager& undo() { return domainHost.undo; }

    // Mouse input in the domain, at view positions.
    void press(CGPoint p);
    void drag(CGPoint p);
    void release(CGPoint p);
    void move(CGPoint p);
    // Press at the first point, drag through the others, release at the last.
    void drawPath(std::initializer_list<CGPoint> points);

    // One drawing pass of each plane onto a fresh recording.
    RecordingCanvas drawDomain();
    RecordingCanvas drawRange();

    FakeColorPanel colorPanel;
    FakeHost domainHost;
    FakeHost rangeHost;
    FakeSender inverseImagesItem{"Show Inverse Images Of Range Gridlines"};
    Workbench workbench;
    Transformations& transformations = workbench.transformations;
    Controller& controller = workbench.controller;
    DomainView* domain = nullptr;
    RangeView* range = nullptr;
};

}  // namespace zw::test
