#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "planes/Viewport.h"
#include "platform/Canvas.h"
#include "views/ShadingColours.h"

namespace zw {

// The pixels Every Pixel shaded last, one picture of the pane's device pixels. A drawing pass
// that changes nothing the shading depends on (a path drawn or undone, a redraw of the images)
// copies them instead of asking f again for millions of pixels, and a live pan by whole device
// pixels moves them and asks only for the strips it uncovers.
class ShadedPixels {
  public:
    // What the pixels depend on besides f. A change of f is told through forget().
    struct Key {
        Viewport view;
        int width = 0;
        int height = 0;
        double ratio = 1.0;
        double viewHeight = 0.0;
        ShadingColours colours = ShadingColours::Classic;
        bool modulus = false;
        bool argument = false;

        bool operator==(const Key& other) const;
    };

    // Device pixels [left, right) by rows [top, bottom), rows from the top.
    struct Strip {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;

        std::size_t area() const {
            return static_cast<std::size_t>(right - left) * static_cast<std::size_t>(bottom - top);
        }
    };

    // Nothing kept is right any more: the next pass shades every pixel, in the same memory.
    void forget();
    // Keeps nothing and lets the memory go.
    void release();
    // The plane moved by (dx, dy) view units under a live pan: the kept pixels move with it
    // at the next pass, where the shift is whole device pixels.
    void moveBy(double dx, double dy);
    // Makes the kept picture one for `key`, moving what a pan has moved, and returns what must
    // be shaded afresh into image(): nothing when the kept pixels are all still right, the
    // strips a pan uncovered, or the whole picture. The moved pixels show f where the plane
    // was: within a rounding of where it is, so forget() must follow once the pan ends.
    std::vector<Strip> prepare(const Key& key);
    // The kept picture, to shade into.
    PixelImage image();
    // Copies the kept picture into `target`, which has the key's size.
    void copyTo(const PixelImage& target) const;
    // The memory the kept picture holds.
    std::size_t bytesHeld() const { return pixels_.capacity() * sizeof(std::uint32_t); }

  private:
    // Moves the kept pixels by (sx, sy) device pixels (right and up) and returns the strips
    // left uncovered.
    std::vector<Strip> shift(int sx, int sy);

    std::vector<std::uint32_t> pixels_;
    Key key_;
    bool valid_ = false;
    double movedX_ = 0.0;
    double movedY_ = 0.0;
};

}  // namespace zw
