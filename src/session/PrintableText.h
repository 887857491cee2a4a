#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zw {

// Text from a file as a message may show it: control characters and bytes that are not UTF-8
// escaped, so that nothing in a file can move the cursor or recolour a terminal, and cut
// after `most` characters (with "..." where it was cut).
std::string printable(std::string_view text, std::size_t most);

// A name from a file in double quotes, made printable and cut at 60 characters.
std::string inQuotes(std::string_view name);

}  // namespace zw
