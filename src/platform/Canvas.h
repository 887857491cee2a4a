#pragma once

#include <string>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/TextAttributes.h"

namespace zw {

class BezierPath;

// What one drawing pass draws on, in view coordinates (origin lower left, y up).
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void setColor(const Color& color) = 0;
    virtual Color currentColor() const = 0;
    // Fills with the current colour.
    virtual void fillRect(CGRect rect) = 0;
    // Strokes the path's elements with its line width and dash pattern in the current colour.
    virtual void strokePath(const BezierPath& path) = 0;
    virtual void fillPath(const BezierPath& path) = 0;
    virtual CGSize sizeOfText(const std::string& text, const TextAttributes& attributes) = 0;
    // The text's box has its lower left corner at `point`; default attributes draw black.
    virtual void drawText(const std::string& text, CGPoint point,
                          const TextAttributes& attributes) = 0;
};

}  // namespace zw
