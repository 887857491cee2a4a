#pragma once

#include "platform/AnimationWriter.h"
#include "platform/StagedFiles.h"

namespace zw {

// A numbered series of PNG files, OUT-001.png, OUT-002.png, ... from a name with one %d or
// %0Nd: frames are numbered from 1. The files appear together once the last is written.
class PngSeries : public AnimationWriter {
  public:
    Input wants() const override { return Input::Encoded; }
    bool open(const std::string& path, int width, int height, double fps,
              std::string& error) override;
    bool add(const AnimationFrame& frame, std::string& error) override;
    bool finish(std::string& error) override;

    // Whether `path` holds exactly one %d or %0Nd (N from 1 to 9), in the file's name; any
    // other '%' is doubled ("%%").
    static bool isPattern(std::string_view path);
    // The name of frame `number` (from 1).
    static std::string nameOf(std::string_view pattern, int number);

  private:
    StagedFiles staged_;
    std::string pattern_;
    int frames_ = 0;
};

}  // namespace zw
