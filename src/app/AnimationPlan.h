#pragma once

#include <complex>
#include <string>
#include <string_view>

#include "platform/AnimationWriter.h"

namespace zw {

// What an animation shows: one parameter (or the morph's t) moved in a straight line from
// `from` to `to` over `frames` frames, shown `fps` times a second. The first frame is at `from`
// and the last exactly at `to`.
struct AnimationPlan {
    static constexpr int kDefaultFrames = 60;
    static constexpr double kDefaultFps = 30.0;
    static constexpr int kMaxFrames = 10000;
    // A GIF counts time in hundredths of a second.
    static constexpr double kMinFps = 0.1;
    static constexpr double kMaxFps = 100.0;

    std::string name;
    std::complex<double> from;
    std::complex<double> to;
    int frames = kDefaultFrames;
    double fps = kDefaultFps;

    std::complex<double> valueAt(int frame) const;

    // The readers of the command line's texts, in the C locale whatever the user's. Each
    // returns false and leaves its outputs untouched when the text is not what it reads.
    // A value: a real ("-1.5", "2e-3") or a complex "x+yi", "x-yi", "yi", "i", "-i".
    static bool parseValue(std::string_view text, std::complex<double>& value);
    // "NAME=VALUE"; `error` says what is wrong.
    static bool parseAssignment(std::string_view text, std::string& name,
                                std::complex<double>& value, std::string& error);
    // "NAME=FROM:TO".
    static bool parseRange(std::string_view text, std::string& name, std::complex<double>& from,
                           std::complex<double>& to, std::string& error);
    // A whole number of frames from 1 to kMaxFrames.
    static bool parseFrames(std::string_view text, int& frames);
    // Frames per second from kMinFps to kMaxFps.
    static bool parseFps(std::string_view text, double& fps);
    // A parameter's name: a letter or '_', then letters, digits or '_'.
    static bool isName(std::string_view text);
    // The value as the command line reads it back: "1.5", "0.5-2i".
    static std::string format(std::complex<double> value);

    // The animation a file's name asks for: ".gif", ".webp", or a PNG name with one %d or
    // %0Nd; false for anything else (a still picture).
    static bool formatOf(std::string_view path, AnimationWriter::Format& format);
};

}  // namespace zw
