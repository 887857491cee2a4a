#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/ComplexFunctions.h"

namespace zw::catalogue {

// One function of the Function menu: everything the menu, the Help window, the status tips,
// the sessions and the engine know about it.
struct Entry {
    const char* title;  // the menu item's text, the session's "title"
    const char* help;   // the formula and its inverse as the Help window shows them
    ComplexFunction forward;
    ComplexFunction inverse;  // null: f has no inverse, and selecting it keeps the old one
    ComplexJet jet;           // f and its derivatives in double precision, for solving f(z) = w
};

inline constexpr std::size_t kCount = 18;

// In menu order; a title appears once.
const std::array<Entry, kCount>& functions();

// The entry with exactly this title, or null.
const Entry* find(std::string_view title);

// The function the program starts with.
inline constexpr const char* kInitialTitle = "Exponentiate";

// The typed maps' internal names: setParameters' first argument, a session's "name".
inline constexpr const char* kMobiusMap = "usersMobiusMap";
inline constexpr const char* kPolynomial = "usersPolynomial";
inline constexpr const char* kAffineMap = "usersAffineMap";

bool isUserMapName(std::string_view name);

}  // namespace zw::catalogue
