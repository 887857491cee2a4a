#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zw {

void Canvas::fillEveryPixel(CGSize size, const std::function<void(const PixelImage&)>& shade) {
    const auto units = [](double v) {
        return std::isfinite(v) && v > 0.0 ? static_cast<int>(std::min(std::ceil(v), 1.0e5)) : 0;
    };
    PixelImage image;
    image.width = units(size.width);
    image.height = units(size.height);
    image.viewHeight = size.height;
    if (image.width == 0 || image.height == 0) {
        return;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) *
                                      static_cast<std::size_t>(image.height));
    image.bits = pixels.data();
    image.pixelsPerLine = image.width;
    shade(image);
    for (int j = 0; j < image.height; ++j) {
        const std::uint32_t* row = image.row(j);
        for (int i = 0; i < image.width; ++i) {
            const std::uint32_t p = row[i];
            setColor(Color::colorWithDeviceRed(((p >> 16) & 0xFFu) / 255.0,
                                               ((p >> 8) & 0xFFu) / 255.0, (p & 0xFFu) / 255.0,
                                               (p >> 24) / 255.0));
            fillRect({{static_cast<double>(i), size.height - (j + 1)}, {1.0, 1.0}});
        }
    }
}

}  // namespace zw
