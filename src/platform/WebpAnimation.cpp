#include "platform/WebpAnimation.h"

#include <unistd.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <cerrno>
#include <string_view>

#include "platform/FileSystem.h"

namespace zw {

namespace {

std::string encoderError(WebPAnimEncoder* encoder) {
    const char* why = encoder != nullptr ? WebPAnimEncoderGetError(encoder) : nullptr;
    return why != nullptr && *why != '\0' ? why : "the WebP encoder failed";
}

}  // namespace

WebpAnimation::~WebpAnimation() {
    if (encoder_ != nullptr) {
        WebPAnimEncoderDelete(encoder_);
    }
}

bool WebpAnimation::open(const std::string& path, int width, int height, double fps,
                         std::string& error) {
    path_ = path;
    width_ = width;
    height_ = height;
    fps_ = fps;
    if (width < 1 || height < 1 || width > WEBP_MAX_DIMENSION || height > WEBP_MAX_DIMENSION ||
        !(fps > 0.0)) {
        error = path + ": cannot be written (a WebP is 1 to 16383 pixels a side)";
        return false;
    }
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) {
        error = path + ": cannot be written (the WebP library does not match)";
        return false;
    }
    options.anim_params.loop_count = 0;  // for ever
    encoder_ = WebPAnimEncoderNew(width, height, &options);
    if (encoder_ == nullptr) {
        error = path + ": cannot be written (not enough memory)";
        return false;
    }
    return true;
}

bool WebpAnimation::add(const AnimationFrame& frame, std::string& error) {
    if (encoder_ == nullptr || frame.width != width_ || frame.height != height_ ||
        frame.rgba == nullptr) {
        error = path_ + ": cannot be written (a frame does not fit the animation)";
        return false;
    }
    WebPConfig config;
    // A fast lossless level: the frames are exact and an export of many frames stays quick.
    if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, 1)) {
        error = path_ + ": cannot be written (the WebP library does not match)";
        return false;
    }
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) {
        error = path_ + ": cannot be written (the WebP library does not match)";
        return false;
    }
    picture.use_argb = 1;
    picture.width = width_;
    picture.height = height_;
    const bool imported = WebPPictureImportRGBA(&picture, frame.rgba, width_ * 4) != 0;
    const bool added =
        imported && WebPAnimEncoderAdd(encoder_, &picture,
                                       static_cast<int>(startOf(frames_, fps_, 1000)), &config);
    WebPPictureFree(&picture);
    if (!added) {
        error = path_ + ": cannot be written (" +
                (imported ? encoderError(encoder_) : std::string("not enough memory")) + ")";
        return false;
    }
    ++frames_;
    return true;
}

bool WebpAnimation::finish(std::string& error) {
    if (encoder_ == nullptr || frames_ == 0) {
        error = path_ + ": cannot be written (no frames)";
        return false;
    }
    // The end of the last frame gives its duration.
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(encoder_, nullptr, static_cast<int>(startOf(frames_, fps_, 1000)),
                            nullptr) ||
        !WebPAnimEncoderAssemble(encoder_, &data)) {
        error = path_ + ": cannot be written (" + encoderError(encoder_) + ")";
        WebPDataClear(&data);
        return false;
    }
    StagedFiles staged;
    const int fd = staged.stage(path_, error);
    if (fd < 0) {
        WebPDataClear(&data);
        return false;
    }
    std::string_view bytes(reinterpret_cast<const char*>(data.bytes), data.size);
    bool written = true;
    while (written && !bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        written = n > 0;
        if (written) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    const int err = written ? 0 : (errno != 0 ? errno : EIO);
    WebPDataClear(&data);
    if (::close(fd) != 0 && written) {
        written = false;
    }
    if (!written) {
        error = path_ + ": cannot be written (" + FileSystem::reason(err != 0 ? err : errno) + ")";
        return false;  // the staged file goes with `staged`
    }
    return staged.commit(error);
}

}  // namespace zw
