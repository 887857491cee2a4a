#include "platform/PngSeries.h"

#include <cstdio>

namespace zw {

namespace {

// Reads a series' name: "%%" is a '%' of the name's own, and exactly one %d or %0Nd (N from 1
// to 9) marks the frame's number. Fills `before` and `after` (with "%%" read) and the number's
// width (0: as wide as it needs).
bool readPattern(std::string_view path, std::string& before, std::string& after, int& width) {
    int found = 0;
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '%') {
            text += path[i];
            continue;
        }
        std::size_t k = i + 1;
        if (k < path.size() && path[k] == '%') {
            text += '%';
            i = k;
            continue;
        }
        int w = 0;
        if (k < path.size() && path[k] == '0') {
            ++k;
            if (k >= path.size() || path[k] < '1' || path[k] > '9') {
                return false;
            }
            w = path[k] - '0';
            ++k;
        }
        if (k >= path.size() || path[k] != 'd' || ++found > 1) {
            return false;
        }
        before = text;
        text.clear();
        width = w;
        i = k;
    }
    after = text;
    // The number belongs in the file's name, not in a folder's.
    return found == 1 && after.find('/') == std::string::npos;
}

}  // namespace

bool PngSeries::isPattern(std::string_view path) {
    std::string before;
    std::string after;
    int width = 0;
    return readPattern(path, before, after, width);
}

std::string PngSeries::nameOf(std::string_view pattern, int number) {
    std::string before;
    std::string after;
    int width = 0;
    if (!readPattern(pattern, before, after, width)) {
        return std::string(pattern);
    }
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return before + digits + after;
}

bool PngSeries::open(const std::string& path, int width, int height, double fps,
                     std::string& error) {
    pattern_ = path;
    if (!isPattern(path)) {
        error = path + ": a series needs one %d or %03d in the file's name";
        return false;
    }
    (void)width;
    (void)height;
    (void)fps;  // a series of pictures has no timing of its own
    return true;
}

bool PngSeries::add(const AnimationFrame& frame, std::string& error) {
    const std::string name = nameOf(pattern_, frames_ + 1);
    if (!staged_.write(name, frame.encoded, error)) {
        return false;
    }
    ++frames_;
    return true;
}

bool PngSeries::finish(std::string& error) {
    if (frames_ == 0) {
        error = pattern_ + ": cannot be written (no frames)";
        return false;
    }
    return staged_.commit(error);
}

}  // namespace zw
