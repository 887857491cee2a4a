#include "platform/DevicePixel.h"

namespace zw {

namespace {

// A colour's components lie in [0, 1] (Color clamps them when it is made), so neither step
// can leave the range.
std::uint32_t component8(double component) {
    const auto wide = static_cast<std::uint32_t>(static_cast<float>(component) * 65535.0f + 0.5f);
    return (wide + 128u) / 257u;
}

}  // namespace

std::uint32_t devicePixel(const Color& color) {
    return component8(color.alpha()) << 24 | component8(color.red()) << 16 |
           component8(color.green()) << 8 | component8(color.blue());
}

}  // namespace zw
