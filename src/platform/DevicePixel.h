#pragma once

#include <cstdint>

#include "platform/Color.h"

namespace zw {

// The colour as one 32-bit pixel of a screen image, 0xAARRGGBB. Each component is rounded
// as the toolkit's colours round it: to 16 bits first, then to 8, so that a pixel written
// straight into an image matches what the painter paints in the same colour.
std::uint32_t devicePixel(const Color& color);

}  // namespace zw
