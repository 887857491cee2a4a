#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace zw {

// Reads the numbers typed into the circle and line dialogs: always with '.' as the decimal
// point, whatever the user's locale, and with a message that says what is wrong otherwise.
class ShapeInput {
  public:
    struct Circle {
        CGPoint centre;
        double radius = 0.0;
    };
    struct Line {
        CGPoint from;
        CGPoint to;
    };

    // The number, or nothing with `error` set to a sentence naming the field.
    static std::optional<double> parseNumber(std::string_view text, std::string_view field,
                                             std::string& error);
    static std::optional<Circle> readCircle(std::string_view centreReal,
                                            std::string_view centreImaginary,
                                            std::string_view radius, std::string& error);
    static std::optional<Line> readLine(std::string_view fromReal, std::string_view fromImaginary,
                                        std::string_view toReal, std::string_view toImaginary,
                                        std::string& error);
};

}  // namespace zw
