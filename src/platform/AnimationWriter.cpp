#include "platform/AnimationWriter.h"

#include <cmath>

#include "platform/GifAnimation.h"
#include "platform/PngSeries.h"
#include "platform/WebpAnimation.h"

namespace zw {

std::unique_ptr<AnimationWriter> AnimationWriter::create(Format format) {
    switch (format) {
        case Format::Gif:
            return std::make_unique<GifAnimation>();
        case Format::Webp:
            return std::make_unique<WebpAnimation>();
        case Format::PngSeries:
            return std::make_unique<PngSeries>();
    }
    return nullptr;
}

std::int64_t AnimationWriter::startOf(int index, double fps, int unitsPerSecond) {
    return std::llround(static_cast<double>(index) * unitsPerSecond / fps);
}

}  // namespace zw
