#include "platform/WebpAnimation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <string_view>

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
    const bool written = staged.write(
        path_, std::string_view(reinterpret_cast<const char*>(data.bytes), data.size), error);
    WebPDataClear(&data);
    return written && staged.commit(error);
}

}  // namespace zw
