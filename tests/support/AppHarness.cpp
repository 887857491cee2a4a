#include "support/AppHarness.h"

#include "platform/Events.h"

namespace zw::test {

AppHarness::AppHarness(Options options)
    : domainHost(options.domainSize), rangeHost(options.rangeSize) {
    domain = std::make_unique<DomainView>(&domainHost, CGRect{{0.0, 0.0}, options.domainSize});
    range = std::make_unique<RangeView>(&rangeHost, CGRect{{0.0, 0.0}, options.rangeSize});
    controller.domain = domain.get();
    controller.range = range.get();
    controller.transformations = &transformations;
    controller.inverseImages = &inverseImagesItem;
    domain->controller = &controller;
    range->controller = &controller;
    if (options.awake) {
        awakeFromNib();
    }
}

void AppHarness::awakeFromNib() {
    domain->awakeFromNib();
    range->awakeFromNib();
    controller.awakeFromNib();
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
