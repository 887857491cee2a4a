#pragma once

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace zw {

// A shading box: a rectangle in view coordinates and its fill colour.
struct ColoredRect {
    CGRect rect{};
    Color color = Color::blackColor();

    void setRect(CGRect r) { rect = r; }
    void setColor(const Color& newColor) { color = newColor; }
};

}  // namespace zw
