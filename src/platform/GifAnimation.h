#pragma once

#include <vector>

#include "platform/AnimationWriter.h"
#include "platform/StagedFiles.h"

struct GifFileType;

namespace zw {

// An animated GIF that loops for ever, each frame with its own palette of up to 256 colours
// (the caller quantises), streamed to the file row by row as frames come.
class GifAnimation : public AnimationWriter {
  public:
    ~GifAnimation() override;
    Input wants() const override { return Input::Indexed; }
    bool open(const std::string& path, int width, int height, double fps,
              std::string& error) override;
    bool add(const AnimationFrame& frame, std::string& error) override;
    bool finish(std::string& error) override;

  private:
    bool failed(std::string& error, int gifError);
    void close();

    StagedFiles staged_;
    std::string path_;
    GifFileType* gif_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    double fps_ = 0.0;
    int frames_ = 0;
};

}  // namespace zw
