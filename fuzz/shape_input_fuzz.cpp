// The circle and line dialogs' number reading: any text either gives finite numbers that make
// a valid shape or an explanation, never both, never a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "views/ShapeInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Fields are separated by newlines, as a user moves from field to field.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() < 4) {
        const std::size_t end = input.find('\n', start);
        fields.push_back(input.substr(
            start, end == std::string_view::npos ? input.size() - start : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    while (fields.size() < 4) {
        fields.emplace_back();
    }
    std::string error;
    if (const auto circle = zw::ShapeInput::readCircle(fields[0], fields[1], fields[2], error)) {
        if (!error.empty() || !(circle->radius > 0.0) || !std::isfinite(circle->centre.x) ||
            !std::isfinite(circle->centre.y) || !std::isfinite(circle->radius)) {
            std::abort();
        }
    } else if (error.empty()) {
        std::abort();
    }
    if (const auto line =
            zw::ShapeInput::readLine(fields[0], fields[1], fields[2], fields[3], error)) {
        if (!error.empty() || (line->from.x == line->to.x && line->from.y == line->to.y)) {
            std::abort();
        }
    } else if (error.empty()) {
        std::abort();
    }
    return 0;
}
