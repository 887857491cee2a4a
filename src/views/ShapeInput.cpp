#include "views/ShapeInput.h"

#include <charconv>
#include <cmath>

namespace zw {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<double> ShapeInput::parseNumber(std::string_view text, std::string_view field,
                                              std::string& error) {
    const std::string name(field);
    std::string_view t = trimmed(text);
    if (t.empty()) {
        error = name + " is empty.";
        return std::nullopt;
    }
    const std::string shown(t.substr(0, 40));
    std::string_view digits = t;
    if (digits.front() == '+') {
        digits.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        error = name + ": \"" + shown + "\" is too large.";
        return std::nullopt;
    }
    if (ec != std::errc() || end != digits.data() + digits.size() ||
        (!digits.empty() && digits.front() == '+')) {
        if (t.find(',') != std::string_view::npos) {
            error = name + ": \"" + shown + "\" is not a number; use '.' as the decimal point.";
        } else {
            error = name + ": \"" + shown + "\" is not a number.";
        }
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        error = name + " must be a finite number.";
        return std::nullopt;
    }
    return value;
}

std::optional<ShapeInput::Circle> ShapeInput::readCircle(std::string_view centreReal,
                                                         std::string_view centreImaginary,
                                                         std::string_view radius,
                                                         std::string& error) {
    const auto x = parseNumber(centreReal, "Centre, real part", error);
    if (!x) {
        return std::nullopt;
    }
    const auto y = parseNumber(centreImaginary, "Centre, imaginary part", error);
    if (!y) {
        return std::nullopt;
    }
    const auto r = parseNumber(radius, "Radius", error);
    if (!r) {
        return std::nullopt;
    }
    if (!(*r > 0.0)) {
        error = "Radius must be greater than 0.";
        return std::nullopt;
    }
    error.clear();
    return Circle{{*x, *y}, *r};
}

std::optional<ShapeInput::Line> ShapeInput::readLine(std::string_view fromReal,
                                                     std::string_view fromImaginary,
                                                     std::string_view toReal,
                                                     std::string_view toImaginary,
                                                     std::string& error) {
    const auto x0 = parseNumber(fromReal, "Start, real part", error);
    if (!x0) {
        return std::nullopt;
    }
    const auto y0 = parseNumber(fromImaginary, "Start, imaginary part", error);
    if (!y0) {
        return std::nullopt;
    }
    const auto x1 = parseNumber(toReal, "End, real part", error);
    if (!x1) {
        return std::nullopt;
    }
    const auto y1 = parseNumber(toImaginary, "End, imaginary part", error);
    if (!y1) {
        return std::nullopt;
    }
    if (*x0 == *x1 && *y0 == *y1) {
        error = "The two end points must differ.";
        return std::nullopt;
    }
    error.clear();
    return Line{{*x0, *y0}, {*x1, *y1}};
}

}  // namespace zw
