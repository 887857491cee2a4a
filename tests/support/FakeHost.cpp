#include "support/FakeHost.h"

namespace zw::test {

FakeHost::FakeHost(CGSize size) : boundsSize(size), frame(size) {}

void FakeHost::setNeedsDisplay(bool needs) {
    ++needsDisplayCalls;
    lastNeedsDisplay = needs;
}

CGPoint FakeHost::convertPointFromWindow(CGPoint p) const {
    return {p.x - windowOffset.x, p.y - windowOffset.y};
}

void FakeHost::setDelegate(WindowDelegate* d) {
    delegate = d;
    ++setDelegateCalls;
}

void FakeHost::setAcceptsMouseMovedEvents(bool accepts) {
    acceptsMouseMovedEvents = accepts;
    ++setAcceptsMouseMovedEventsCalls;
}

void FakeHost::beginAlertSheet(const std::string& title, const std::string& defaultButton,
                               const std::string& alternateButton, const std::string& otherButton,
                               const std::string& message) {
    sheets.push_back({title, defaultButton, alternateButton, otherButton, message});
}

CGSize FakeHost::resizeTo(CGSize proposed) {
    const CGSize taken =
        delegate != nullptr ? delegate->windowWillResize(this, proposed) : proposed;
    frame = taken;
    boundsSize = taken;
    return taken;
}

}  // namespace zw::test
