#include "platform/ColorPanel.h"

namespace zw {

namespace {
ColorPanel* shared = nullptr;
}

ColorPanel* ColorPanel::sharedColorPanel() {
    return shared;
}

void ColorPanel::setSharedColorPanel(ColorPanel* panel) {
    shared = panel;
}

}  // namespace zw
