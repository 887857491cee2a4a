#include "views/ShapeInput.h"

#include <cmath>

#include "platform/CLocale.h"
#include "platform/Translatable.h"

namespace zw {

namespace {

// What was typed, as the message quotes it: without the blanks around it, and not too long.
std::string shown(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n\r");
    const auto last = text.find_last_not_of(" \t\n\r");
    return std::string(text.substr(first, last - first + 1).substr(0, 40));
}

}  // namespace

std::optional<double> ShapeInput::parseNumber(std::string_view text, std::string_view field,
                                              std::string& error) {
    const std::string name(field);
    double value = 0.0;
    switch (CLocale::readNumber(text, value)) {
        case CLocale::Reading::Empty:
            error = name + " is empty.";
            return std::nullopt;
        case CLocale::Reading::OutOfRange:
            error = name + ": \"" + shown(text) + "\" is too large.";
            return std::nullopt;
        case CLocale::Reading::NotANumber:
            if (text.find(',') != std::string_view::npos) {
                error = name + ": \"" + shown(text) +
                        "\" is not a number; use '.' as the decimal point.";
            } else {
                error = name + ": \"" + shown(text) + "\" is not a number.";
            }
            return std::nullopt;
        case CLocale::Reading::Number:
            break;
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
    const auto x =
        parseNumber(centreReal, QT_TRANSLATE_NOOP("zw::Fields", "Centre, real part"), error);
    if (!x) {
        return std::nullopt;
    }
    const auto y = parseNumber(centreImaginary,
                               QT_TRANSLATE_NOOP("zw::Fields", "Centre, imaginary part"), error);
    if (!y) {
        return std::nullopt;
    }
    const auto r = parseNumber(radius, QT_TRANSLATE_NOOP("zw::Fields", "Radius"), error);
    if (!r) {
        return std::nullopt;
    }
    if (!(*r > 0.0)) {
        error = QT_TRANSLATE_NOOP("zw::Fields", "Radius must be greater than 0.");
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
    const auto x0 =
        parseNumber(fromReal, QT_TRANSLATE_NOOP("zw::Fields", "Start, real part"), error);
    if (!x0) {
        return std::nullopt;
    }
    const auto y0 =
        parseNumber(fromImaginary, QT_TRANSLATE_NOOP("zw::Fields", "Start, imaginary part"), error);
    if (!y0) {
        return std::nullopt;
    }
    const auto x1 = parseNumber(toReal, QT_TRANSLATE_NOOP("zw::Fields", "End, real part"), error);
    if (!x1) {
        return std::nullopt;
    }
    const auto y1 =
        parseNumber(toImaginary, QT_TRANSLATE_NOOP("zw::Fields", "End, imaginary part"), error);
    if (!y1) {
        return std::nullopt;
    }
    if (*x0 == *x1 && *y0 == *y1) {
        error = QT_TRANSLATE_NOOP("zw::Fields", "The two end points must differ.");
        return std::nullopt;
    }
    error.clear();
    return Line{{*x0, *y0}, {*x1, *y1}};
}

}  // namespace zw
