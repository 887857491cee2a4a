#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zw {

// The shading's boxes as a canvas that writes pixels wants them. The boxes are made in
// blocks of rows by columns, in which every box of a row shares its y and every box of a
// column its x, and all have one size. Keeping those positions once per row and column, and
// each box's colour as a ready pixel, lets such a canvas find the pixel edges of a row or a
// column once instead of once per box, and read four bytes a box instead of a whole record.
class BoxLattice {
  public:
    // Boxes in row-major order: row r, column c is box r * xs.size() + c of the block.
    struct Block {
        std::vector<double> xs;
        std::vector<double> ys;
        std::size_t count() const { return xs.size() * ys.size(); }
    };

    // Starts afresh for `count` boxes of one size; drops the memory too, when far more is held
    // than they need.
    void reset(double boxSize, std::size_t count);
    // Holds no boxes and describes none (size 0), with its memory let go.
    void clear() { reset(0.0, 0); }
    // Opens a block; the pixels of its boxes follow, in row-major order.
    void addBlock(std::vector<double> xs, std::vector<double> ys);
    void addPixel(std::uint32_t pixel) { pixels_.push_back(pixel); }
    // Room for the next n pixels, to be written through the pointer before anything else is
    // added.
    std::uint32_t* appendPixels(std::size_t n) {
        pixels_.resize(pixels_.size() + n);
        return pixels_.data() + (pixels_.size() - n);
    }
    // Moves every box, with the same arithmetic as moving each box's own rectangle.
    void moveBy(double dx, double dy);

    double boxSize() const { return boxSize_; }
    const std::vector<Block>& blocks() const { return blocks_; }
    // One per box, 0xAARRGGBB, in the order of the blocks.
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    // Every block holds all the pixels it promises.
    bool complete() const;

  private:
    double boxSize_ = 0.0;
    std::vector<Block> blocks_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace zw
