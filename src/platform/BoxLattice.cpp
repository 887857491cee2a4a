#include "platform/BoxLattice.h"

#include <utility>

namespace zw {

void BoxLattice::reset(double boxSize, std::size_t count) {
    boxSize_ = boxSize;
    blocks_.clear();
    if (pixels_.capacity() > 2 * count) {
        std::vector<std::uint32_t>().swap(pixels_);
    } else {
        pixels_.clear();
    }
    pixels_.reserve(count);
}

void BoxLattice::addBlock(std::vector<double> xs, std::vector<double> ys) {
    blocks_.push_back(Block{std::move(xs), std::move(ys)});
}

void BoxLattice::moveBy(double dx, double dy) {
    for (Block& block : blocks_) {
        for (double& x : block.xs) {
            x += dx;
        }
        for (double& y : block.ys) {
            y += dy;
        }
    }
}

bool BoxLattice::complete() const {
    std::size_t count = 0;
    for (const Block& block : blocks_) {
        count += block.count();
    }
    return count == pixels_.size();
}

}  // namespace zw
