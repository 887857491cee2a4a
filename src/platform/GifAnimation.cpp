#include "platform/GifAnimation.h"

#include <gif_lib.h>

#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"

namespace zw {

GifAnimation::~GifAnimation() {
    close();
}

void GifAnimation::close() {
    if (gif_ != nullptr) {
        int ignored = 0;
        EGifCloseFile(gif_, &ignored);
        gif_ = nullptr;
    }
}

bool GifAnimation::failed(std::string& error, int gifError) {
    // giflib reports a failed write as its own code; the reason is the system's.
    const int err = errno;
    error = path_ + ": cannot be written (" +
            (gifError == E_GIF_ERR_WRITE_FAILED || gifError == E_GIF_ERR_CLOSE_FAILED ||
                     gifError == E_GIF_ERR_OPEN_FAILED
                 ? FileSystem::reason(err != 0 ? err : EIO)
                 : std::string(GifErrorString(gifError) ? GifErrorString(gifError) : "GIF error")) +
            ")";
    close();
    staged_.discard();
    return false;
}

bool GifAnimation::open(const std::string& path, int width, int height, double fps,
                        std::string& error) {
    path_ = path;
    width_ = width;
    height_ = height;
    fps_ = fps;
    // The GIF screen is 16 bits a side.
    if (width < 1 || height < 1 || width > 65535 || height > 65535 || !(fps > 0.0)) {
        error = path + ": cannot be written (a GIF is 1 to 65535 pixels a side)";
        return false;
    }
    const int fd = staged_.stage(path, error);
    if (fd < 0) {
        return false;
    }
    int err = 0;
    errno = 0;
    gif_ = EGifOpenFileHandle(fd, &err);  // owns the descriptor from here
    if (gif_ == nullptr) {
        ::close(fd);
        return failed(error, err);
    }
    // Delays and the loop need GIF89a.
    EGifSetGifVersion(gif_, true);
    if (EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr) == GIF_ERROR) {
        return failed(error, gif_->Error);
    }
    // The application extension that makes viewers loop for ever (a count of 0).
    static const char kNetscape[] = "NETSCAPE2.0";
    static const unsigned char kLoop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, 11, kNetscape) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, 3, kLoop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif_) == GIF_ERROR) {
        return failed(error, gif_->Error);
    }
    return true;
}

bool GifAnimation::add(const AnimationFrame& frame, std::string& error) {
    if (gif_ == nullptr || frame.width != width_ || frame.height != height_ || frame.colours < 1 ||
        frame.colours > 256 || frame.palette == nullptr || frame.indices == nullptr) {
        error = path_ + ": cannot be written (a frame does not fit the animation)";
        close();
        staged_.discard();
        return false;
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime =
        static_cast<int>(startOf(frames_ + 1, fps_, 100) - startOf(frames_, fps_, 100));
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
        GIF_ERROR) {
        return failed(error, gif_->Error);
    }
    // A colour table holds a power of two colours.
    int size = 2;
    while (size < frame.colours) {
        size *= 2;
    }
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (int i = 0; i < frame.colours; ++i) {
        const std::uint32_t c = frame.palette[i];
        colours[static_cast<std::size_t>(i)] =
            GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                         static_cast<GifByteType>(c)};
    }
    ColorMapObject* map = GifMakeMapObject(size, colours.data());
    if (map == nullptr) {
        return failed(error, E_GIF_ERR_NOT_ENOUGH_MEM);
    }
    const int put = EGifPutImageDesc(gif_, 0, 0, width_, height_, false, map);
    GifFreeMapObject(map);
    if (put == GIF_ERROR) {
        return failed(error, gif_->Error);
    }
    // giflib masks the line in place; the caller's frame stays untouched.
    std::vector<GifPixelType> row(static_cast<std::size_t>(width_));
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* from = frame.indices + static_cast<std::size_t>(y) * width_;
        for (int x = 0; x < width_; ++x) {
            row[static_cast<std::size_t>(x)] =
                from[x] < frame.colours ? from[x] : static_cast<GifPixelType>(0);
        }
        if (EGifPutLine(gif_, row.data(), width_) == GIF_ERROR) {
            return failed(error, gif_->Error);
        }
    }
    ++frames_;
    return true;
}

bool GifAnimation::finish(std::string& error) {
    if (gif_ == nullptr || frames_ == 0) {
        error = path_ + ": cannot be written (no frames)";
        close();
        staged_.discard();
        return false;
    }
    int err = 0;
    errno = 0;
    const int closed = EGifCloseFile(gif_, &err);
    gif_ = nullptr;
    if (closed == GIF_ERROR) {
        return failed(error, err);
    }
    return staged_.commit(error);
}

}  // namespace zw
