#include "support/FakeColorPanel.h"

namespace zw::test {

FakeColorPanel::FakeColorPanel(bool installAsShared) : installed_(installAsShared) {
    if (installed_) {
        previous_ = ColorPanel::sharedColorPanel();
        ColorPanel::setSharedColorPanel(this);
    }
}

FakeColorPanel::~FakeColorPanel() {
    if (installed_) {
        ColorPanel::setSharedColorPanel(previous_);
    }
}

void FakeColorPanel::pick(const Color& color) {
    color_ = color;
    if (target_) {
        target_();
    }
}

}  // namespace zw::test
