#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/BoxLattice.h"
#include "platform/Color.h"
#include "platform/ColoredRect.h"
#include "platform/Geometry.h"
#include "platform/TextAttributes.h"

namespace zw {

class BezierPath;

// Device pixels to be written one by one, 0xAARRGGBB, rows from the top. Pixel (i, j) has its
// centre at ((i + 0.5) / ratio, viewHeight - (j + 0.5) / ratio) in view coordinates.
struct PixelImage {
    std::uint32_t* bits = nullptr;
    std::ptrdiff_t pixelsPerLine = 0;
    int width = 0;
    int height = 0;
    double ratio = 1.0;
    double viewHeight = 0.0;

    std::uint32_t* row(int j) const {
        return bits + static_cast<std::ptrdiff_t>(j) * pixelsPerLine;
    }
};

// What one drawing pass draws on, in view coordinates (origin lower left, y up).
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void setColor(const Color& color) = 0;
    virtual Color currentColor() const = 0;
    // Fills with the current colour.
    virtual void fillRect(CGRect rect) = 0;
    // Fills each box in its own colour, in order; the current colour is the last box's
    // afterwards. The shading hands over a whole pane of boxes at once, so that a canvas can
    // spare itself a call per box.
    virtual void fillColoredRects(const ColoredRect* boxes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            setColor(boxes[i].color);
            fillRect(boxes[i].rect);
        }
    }
    // Fills the shading's boxes as fillColoredRects does. `lattice` lays out the same boxes by
    // rows and columns with their colours as ready pixels, for a canvas that writes pixels.
    virtual void fillShading(const std::vector<ColoredRect>& boxes, const BoxLattice& /*lattice*/) {
        fillColoredRects(boxes.data(), boxes.size());
    }
    // Has `shade` give every device pixel of a view of `size` view units its colour. A canvas
    // over an image hands over the image's own pixels; this one makes a picture of one pixel a
    // view unit and fills each pixel as a box.
    virtual void fillEveryPixel(CGSize size, const std::function<void(const PixelImage&)>& shade);
    // Strokes the path's elements with its line width and dash pattern in the current colour.
    virtual void strokePath(const BezierPath& path) = 0;
    virtual void fillPath(const BezierPath& path) = 0;
    virtual CGSize sizeOfText(const std::string& text, const TextAttributes& attributes) = 0;
    // The text's box has its lower left corner at `point`; default attributes draw black.
    virtual void drawText(const std::string& text, CGPoint point,
                          const TextAttributes& attributes) = 0;
};

}  // namespace zw
