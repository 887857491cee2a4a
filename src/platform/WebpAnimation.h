#pragma once

#include "platform/AnimationWriter.h"
#include "platform/StagedFiles.h"

struct WebPAnimEncoder;

namespace zw {

// An animated WebP that loops for ever. Frames are compressed losslessly: the planes are lines
// and flat colours, and a frame must be the very picture a still export of it would give.
class WebpAnimation : public AnimationWriter {
  public:
    ~WebpAnimation() override;
    Input wants() const override { return Input::Rgba; }
    bool open(const std::string& path, int width, int height, double fps,
              std::string& error) override;
    bool add(const AnimationFrame& frame, std::string& error) override;
    bool finish(std::string& error) override;

  private:
    std::string path_;
    WebPAnimEncoder* encoder_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    double fps_ = 0.0;
    int frames_ = 0;
};

}  // namespace zw
