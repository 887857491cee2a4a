#pragma once

#include <string>

#include "platform/Geometry.h"

namespace zw {

struct MouseEvent {
    CGPoint locationInWindow;
};

// Arrow keys arrive as one character each: U+F700 up, U+F701 down, U+F702 left, U+F703 right.
struct KeyEvent {
    std::u16string characters;
};

inline constexpr char16_t kUpArrowFunctionKey = 0xF700;
inline constexpr char16_t kDownArrowFunctionKey = 0xF701;
inline constexpr char16_t kLeftArrowFunctionKey = 0xF702;
inline constexpr char16_t kRightArrowFunctionKey = 0xF703;

}  // namespace zw
