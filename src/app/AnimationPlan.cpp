#include "app/AnimationPlan.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/PngSeries.h"

namespace zw {

namespace {

// A finite number at the start of `text` (an optional sign, digits, a point, an exponent):
// how many characters it took, or 0.
std::size_t readNumber(std::string_view text, double& number) {
    std::size_t skip = 0;
    if (!text.empty() && text.front() == '+') {
        skip = 1;
    }
    if (text.size() <= skip) {
        return 0;
    }
    // from_chars reads "inf" and "nan" too, and a sign after a '+'; neither is a number here.
    const char first = text[skip];
    if (!(first == '.' || (first >= '0' && first <= '9') || (first == '-' && skip == 0))) {
        return 0;
    }
    double n = 0.0;
    const auto [end, ec] = std::from_chars(text.data() + skip, text.data() + text.size(), n,
                                           std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(n)) {
        return 0;
    }
    const std::size_t used = static_cast<std::size_t>(end - text.data());
    // "-inf" gets here when from_chars skips the sign itself.
    if (used <= skip || !std::isfinite(n)) {
        return 0;
    }
    number = n;
    return used;
}

bool endsWith(std::string_view text, std::string_view tail) {
    if (text.size() < tail.size()) {
        return false;
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = text[text.size() - tail.size() + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != tail[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::complex<double> AnimationPlan::valueAt(int frame) const {
    if (frames <= 1 || frame <= 0) {
        return from;
    }
    if (frame >= frames - 1) {
        return to;
    }
    // Weighted, not from + (to - from) s: the difference of two large ends can overflow.
    const double s = static_cast<double>(frame) / (frames - 1);
    return from * (1.0 - s) + to * s;
}

bool AnimationPlan::parseValue(std::string_view text, std::complex<double>& value) {
    // The imaginary unit alone, with or without a sign.
    if (text == "i" || text == "+i") {
        value = {0.0, 1.0};
        return true;
    }
    if (text == "-i") {
        value = {0.0, -1.0};
        return true;
    }
    double first = 0.0;
    const std::size_t used = readNumber(text, first);
    if (used == 0) {
        return false;
    }
    std::string_view rest = text.substr(used);
    if (rest.empty()) {
        value = {first, 0.0};
        return true;
    }
    if (rest == "i") {
        value = {0.0, first};
        return true;
    }
    // x+yi, x-yi, x+i, x-i.
    if (rest.size() < 2 || (rest.front() != '+' && rest.front() != '-') || rest.back() != 'i') {
        return false;
    }
    const double sign = rest.front() == '-' ? -1.0 : 1.0;
    std::string_view imaginary = rest.substr(1, rest.size() - 2);
    double second = 1.0;
    if (!imaginary.empty()) {
        if (imaginary.front() == '+' || imaginary.front() == '-') {
            return false;
        }
        if (readNumber(imaginary, second) != imaginary.size()) {
            return false;
        }
    }
    value = {first, sign * second};
    return true;
}

bool AnimationPlan::isName(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (!letter && (i == 0 || c < '0' || c > '9')) {
            return false;
        }
    }
    return true;
}

bool AnimationPlan::parseAssignment(std::string_view text, std::string& name,
                                    std::complex<double>& value, std::string& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || !isName(text.substr(0, equals))) {
        error = "--set wants NAME=VALUE, not '" + std::string(text) + "'";
        return false;
    }
    std::complex<double> v;
    if (!parseValue(text.substr(equals + 1), v)) {
        error = "--set " + std::string(text.substr(0, equals)) +
                ": the value must be a number or x+yi, not '" +
                std::string(text.substr(equals + 1)) + "'";
        return false;
    }
    name = std::string(text.substr(0, equals));
    value = v;
    return true;
}

bool AnimationPlan::parseRange(std::string_view text, std::string& name, std::complex<double>& from,
                               std::complex<double>& to, std::string& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || !isName(text.substr(0, equals))) {
        error = "--animate wants NAME=FROM:TO, not '" + std::string(text) + "'";
        return false;
    }
    const std::string_view range = text.substr(equals + 1);
    const std::size_t colon = range.find(':');
    std::complex<double> a;
    std::complex<double> b;
    if (colon == std::string_view::npos || !parseValue(range.substr(0, colon), a) ||
        !parseValue(range.substr(colon + 1), b)) {
        error = "--animate " + std::string(text.substr(0, equals)) +
                ": the range must be FROM:TO, each a number or x+yi, not '" + std::string(range) +
                "'";
        return false;
    }
    name = std::string(text.substr(0, equals));
    from = a;
    to = b;
    return true;
}

bool AnimationPlan::parseFrames(std::string_view text, int& frames) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > kMaxFrames) {
        return false;
    }
    frames = n;
    return true;
}

bool AnimationPlan::parseFps(std::string_view text, double& fps) {
    double n = 0.0;
    if (readNumber(text, n) != text.size() || text.empty() || !(n >= kMinFps && n <= kMaxFps)) {
        return false;
    }
    fps = n;
    return true;
}

std::string AnimationPlan::format(std::complex<double> value) {
    // Shortest text that reads back to the same double, with no locale.
    const auto text = [](double x) {
        char buffer[32];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
        return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
    };
    if (value.imag() == 0.0) {
        return text(value.real());
    }
    const std::string im = text(value.imag());
    return text(value.real()) + (im.front() == '-' ? "" : "+") + im + "i";
}

bool AnimationPlan::formatOf(std::string_view path, AnimationWriter::Format& format) {
    if (endsWith(path, ".gif")) {
        format = AnimationWriter::Format::Gif;
        return true;
    }
    if (endsWith(path, ".webp")) {
        format = AnimationWriter::Format::Webp;
        return true;
    }
    if (endsWith(path, ".png") && PngSeries::isPattern(path)) {
        format = AnimationWriter::Format::PngSeries;
        return true;
    }
    return false;
}

}  // namespace zw
