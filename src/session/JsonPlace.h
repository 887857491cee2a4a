#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Where a value sits in a JSON document: object keys and list indices from the top.
struct JsonStep {
    std::string key;
    std::size_t index = 0;
    bool isIndex = false;
};
using JsonPath = std::vector<JsonStep>;

JsonPath operator/(JsonPath where, const char* key);
JsonPath operator/(JsonPath where, std::size_t index);

// The offset in `text` (known to be JSON) of the value at `where`, or of the innermost value
// on the way that holds it. A key given twice means its last value, as for a parser.
std::size_t locateInJson(std::string_view text, const JsonPath& where);

// The line, from 1, on which the character at `offset` stands.
std::size_t lineAt(std::string_view text, std::size_t offset);

}  // namespace zw
