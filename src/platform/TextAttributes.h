#pragma once

#include <string>

namespace zw {

// Font of a piece of text; an empty family means the platform's default text font.
struct TextAttributes {
    std::string fontFamily;
    double pointSize = 0.0;
    bool isDefault() const { return fontFamily.empty(); }
};

}  // namespace zw
