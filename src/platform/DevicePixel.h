#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/Color.h"

namespace zw {

// The colour as one 32-bit pixel of a screen image, 0xAARRGGBB. Each component is rounded
// as the toolkit's colours round it: to 16 bits first, then to 8, so that a pixel written
// straight into an image matches what the painter paints in the same colour.
std::uint32_t devicePixel(const Color& color);

// Whole pixel edge nearest to v, kept within a pixel of [0, limit] so the cast cannot overflow.
inline int pixelEdge(double v, int limit) {
    const double clamped = std::clamp(v, -1.0, static_cast<double>(limit) + 1.0);
    // floor(clamped + 0.5), by truncation of a positive number: a call to floor per edge
    // costs more than the rest of a small box.
    return static_cast<int>(clamped + 1.5) - 1;
}

// Device pixels [from, to) of one row or column; empty while from >= to.
struct PixelSpan {
    int from = 0;
    int to = 0;
    bool empty() const { return from >= to; }
};

// The device pixels of [0, limit) whose centres lie in [v0, v1], given in view units with
// `ratio` device pixels to the unit. Boxes on whole view units thus cover whole blocks of
// device pixels, and neighbours tile without gaps.
inline PixelSpan pixelSpan(double v0, double v1, double ratio, int limit) {
    return {std::max(0, pixelEdge(v0 * ratio, limit)),
            std::min(limit, pixelEdge(v1 * ratio, limit))};
}

// Writes an opaque pixel over the device pixels [x0, x1) by [y0, y1) of an image of 32-bit
// pixels. The finest shading boxes are two or four device pixels wide: a general fill would
// spend more on choosing its loop than on the stores.
inline void fillPixels(unsigned char* bits, std::ptrdiff_t bytesPerLine, int x0, int x1, int y0,
                       int y1, std::uint32_t pixel) {
    const int n = x1 - x0;
    unsigned char* line = bits + static_cast<std::ptrdiff_t>(y0) * bytesPerLine;
    if (n == 2 && y1 - y0 == 2) {
        std::uint32_t* p = reinterpret_cast<std::uint32_t*>(line) + x0;
        std::uint32_t* q = reinterpret_cast<std::uint32_t*>(line + bytesPerLine) + x0;
        p[0] = pixel;
        p[1] = pixel;
        q[0] = pixel;
        q[1] = pixel;
        return;
    }
    for (int y = y0; y < y1; ++y, line += bytesPerLine) {
        std::uint32_t* p = reinterpret_cast<std::uint32_t*>(line) + x0;
        if (n == 4) {
            p[0] = pixel;
            p[1] = pixel;
            p[2] = pixel;
            p[3] = pixel;
        } else {
            std::fill_n(p, n, pixel);
        }
    }
}

}  // namespace zw
