#pragma once

#include <memory>
#include <vector>

#include "platform/BezierPath.h"
#include "platform/Color.h"

namespace zw {

// A polyline with its own colour that can also stroke just its newest segment.
class Path : public BezierPath {
  public:
    Color color = Color::blackColor();

    void setColor(const Color& newColor) { color = newColor; }
    // Strokes the whole path in its own colour, width and dash pattern.
    void stroke(Canvas& canvas) const override;
    void ourFill(Canvas& canvas) const;
    // Strokes only the segment ending at the newest element, solid, in the path's colour and
    // width; nothing while the path has fewer than two elements.
    void strokeLastElement(Canvas& canvas) const;
    // Strokes what was appended since the path was last stroked, moves included, so that a
    // pass after several new points (an image followed closely) adds all of them.
    void strokeNewElements(Canvas& canvas) const;
    void makeDashed();

  private:
    mutable std::size_t strokedElements_ = 0;
};

using PathList = std::vector<std::unique_ptr<Path>>;

}  // namespace zw
