#include "views/ShadedPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace zw {

bool ShadedPixels::Key::operator==(const Key& other) const {
    return view.scaleFactor == other.view.scaleFactor &&
           view.translation.x == other.view.translation.x &&
           view.translation.y == other.view.translation.y &&
           view.viewWidth == other.view.viewWidth && view.viewHeight == other.view.viewHeight &&
           width == other.width && height == other.height && ratio == other.ratio &&
           viewHeight == other.viewHeight && colours == other.colours && modulus == other.modulus &&
           argument == other.argument;
}

void ShadedPixels::forget() {
    valid_ = false;
    movedX_ = 0.0;
    movedY_ = 0.0;
}

void ShadedPixels::release() {
    forget();
    std::vector<std::uint32_t>().swap(pixels_);
}

void ShadedPixels::moveBy(double dx, double dy) {
    if (valid_) {
        movedX_ += dx;
        movedY_ += dy;
    }
}

std::vector<ShadedPixels::Strip> ShadedPixels::prepare(const Key& key) {
    const Strip whole{0, 0, std::max(key.width, 0), std::max(key.height, 0)};
    if (valid_ && (movedX_ != 0.0 || movedY_ != 0.0)) {
        // The pan moved the plane: the rest of the key is the same, or nothing is reused.
        Key moved = key;
        moved.view.translation = key_.view.translation;
        const double sx = movedX_ * key.ratio;
        const double sy = movedY_ * key.ratio;
        movedX_ = 0.0;
        movedY_ = 0.0;
        if (moved == key_ && sx == std::nearbyint(sx) && sy == std::nearbyint(sy) &&
            std::fabs(sx) < key.width && std::fabs(sy) < key.height) {
            key_ = key;
            return shift(static_cast<int>(sx), static_cast<int>(sy));
        }
        valid_ = false;
    }
    if (valid_ && key == key_) {
        return {};
    }
    const std::size_t count = whole.area();
    // A picture kept for a far larger pane gives its memory back.
    if (pixels_.capacity() > 2 * count) {
        std::vector<std::uint32_t>().swap(pixels_);
    }
    pixels_.resize(count);
    key_ = key;
    valid_ = true;
    if (count == 0) {
        return {};
    }
    return {whole};
}

std::vector<ShadedPixels::Strip> ShadedPixels::shift(int sx, int sy) {
    // A plane moved right by sx and up by sy shows at device pixel (i, j) what was at
    // (i - sx, j + sy), rows counted from the top.
    const int width = key_.width;
    const int height = key_.height;
    const auto columns = static_cast<std::size_t>(width - std::abs(sx));
    const int from = std::max(-sx, 0);
    const int to = std::max(sx, 0);
    const auto moveRow = [&](int j) {
        std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(j) * width;
        const std::uint32_t* source = row + static_cast<std::ptrdiff_t>(sy) * width;
        std::memmove(row + to, source + from, columns * sizeof(std::uint32_t));
    };
    // Each row is read before it is written over.
    if (sy >= 0) {
        for (int j = 0; j < height - sy; ++j) {
            moveRow(j);
        }
    } else {
        for (int j = height - 1; j >= -sy; --j) {
            moveRow(j);
        }
    }
    std::vector<Strip> strips;
    // Whole rows uncovered at the bottom (moved up) or the top (moved down) ...
    const int keptTop = sy < 0 ? -sy : 0;
    const int keptBottom = sy > 0 ? height - sy : height;
    if (keptTop > 0) {
        strips.push_back({0, 0, width, keptTop});
    }
    if (keptBottom < height) {
        strips.push_back({0, keptBottom, width, height});
    }
    // ... and the columns uncovered on the left (moved right) or right, between them.
    if (sx > 0) {
        strips.push_back({0, keptTop, sx, keptBottom});
    } else if (sx < 0) {
        strips.push_back({width + sx, keptTop, width, keptBottom});
    }
    return strips;
}

PixelImage ShadedPixels::image() {
    PixelImage image;
    image.bits = pixels_.data();
    image.pixelsPerLine = key_.width;
    image.width = key_.width;
    image.height = key_.height;
    image.ratio = key_.ratio;
    image.viewHeight = key_.viewHeight;
    return image;
}

void ShadedPixels::copyTo(const PixelImage& target) const {
    const int width = std::min(target.width, key_.width);
    const int height = std::min(target.height, key_.height);
    if (width <= 0 || !valid_) {
        return;
    }
    for (int j = 0; j < height; ++j) {
        std::memcpy(target.row(j), pixels_.data() + static_cast<std::ptrdiff_t>(j) * key_.width,
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    }
}

}  // namespace zw
