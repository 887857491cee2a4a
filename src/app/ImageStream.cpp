#include "app/ImageStream.h"

#include <utility>

namespace zw {

ImageStream::ImageStream(ImageRefiner& refiner, Bounds bounds, Sink sink, Spacing spacing,
                         Budget budget)
    : refiner_(&refiner),
      bounds_(std::move(bounds)),
      sink_(std::move(sink)),
      spacing_(spacing),
      budget_(budget) {}

ImageStream ImageStream::redirected(Sink sink) const {
    return ImageStream(*refiner_, bounds_, std::move(sink), spacing_, budget_);
}

}  // namespace zw
