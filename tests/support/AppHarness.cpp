#include "support/AppHarness.h"

#include "platform/Events.h"

namespace zw::test {

AppHarness::AppHarness(Options options)
    : domainHost(options.domainSize), rangeHost(options.rangeSize) {
    workbench.makePlanes(&domainHost, CGRect{{0.0, 0.0}, options.domainSize}, &rangeHost,
                         CGRect{{0.0, 0.0}, options.rangeSize}, &inverseImagesItem);
    domain = workbench.domain();
    range = workbench.range();
    if (options.awake) {
        awakeFromNib();
    }
}

void AppHarness::awakeFromNib() {
    workbench.wake();
}

void AppHarness::press(CGPoint p) {
    domain->mouseDown(MouseEvent{p});
}
void AppHarness::drag(CGPoint p) {
    domain->mouseDragged(MouseEvent{p});
}
void AppHarness::release(CGPoint p) {
    domain->mouseUp(MouseEvent{p});
}
void AppHarness::move(CGPoint p) {
    domain->mouseMoved(MouseEvent{p});
}

void AppHarness::drawPath(std::initializer_list<CGPoint> points) {
    CGPoint last{};
    bool first = true;
    for (const CGPoint& p : points) {
        if (first) {
            press(p);
            first = false;
        } else {
            drag(p);
        }
        last = p;
    }
    release(last);
}

RecordingCanvas AppHarness::drawDomain() {
    RecordingCanvas canvas;
    domain->drawRect(canvas, domainHost.bounds());
    return canvas;
}

RecordingCanvas AppHarness::drawRange() {
    RecordingCanvas canvas;
    range->drawRect(canvas, rangeHost.bounds());
    return canvas;
}

}  // namespace zw::test
