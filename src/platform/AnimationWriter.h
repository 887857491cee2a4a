#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// One picture of an animation, in the form its writer asks for (`AnimationWriter::wants`).
struct AnimationFrame {
    int width = 0;
    int height = 0;
    // Rgba: width * height pixels of four bytes, red first, not premultiplied, rows top down.
    const std::uint8_t* rgba = nullptr;
    // Indexed: up to 256 colours 0xRRGGBB and width * height indices into them, rows top down.
    const std::uint32_t* palette = nullptr;
    int colours = 0;
    const std::uint8_t* indices = nullptr;
    // Encoded: the frame as a whole image file (a PNG).
    std::string_view encoded;
};

// Writes an animation frame by frame into a file (or a series of files) that appears only when
// `finish` succeeds. A writer destroyed before, or after a failure, leaves nothing behind.
class AnimationWriter {
  public:
    enum class Format { Gif, Webp, PngSeries };
    enum class Input { Rgba, Indexed, Encoded };

    virtual ~AnimationWriter() = default;
    virtual Input wants() const = 0;
    // Starts the animation at `path` (a PNG series: a name with one %d or %0Nd), frames of
    // width x height shown `fps` times a second. False with one line in `error`.
    virtual bool open(const std::string& path, int width, int height, double fps,
                      std::string& error) = 0;
    // The next frame, of the size given to `open`.
    virtual bool add(const AnimationFrame& frame, std::string& error) = 0;
    // Completes the file and puts it in place.
    virtual bool finish(std::string& error) = 0;

    static std::unique_ptr<AnimationWriter> create(Format format);
    // When frame `index` starts, in `unitsPerSecond` (100 for a GIF's centiseconds, 1000 for
    // milliseconds): rounded from the exact time, so that rounding never adds up over a long
    // animation.
    static std::int64_t startOf(int index, double fps, int unitsPerSecond);
};

}  // namespace zw
