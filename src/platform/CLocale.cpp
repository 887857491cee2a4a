#include "platform/CLocale.h"

#include <stdlib.h>
#include <charconv>
#include <cstdlib>

namespace zw {

locale_t CLocale::handle() {
    // Made once and never freed: it serves every thread until the process ends.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

CLocale::CLocale() : previous_(handle() != nullptr ? uselocale(handle()) : nullptr) {}

CLocale::~CLocale() {
    if (previous_ != nullptr) {
        uselocale(previous_);
    }
}

double CLocale::atof(const char* text) {
    if (text == nullptr) {
        return 0.0;
    }
    if (handle() == nullptr) {
        return std::strtod(text, nullptr);
    }
    return strtod_l(text, nullptr, handle());
}

CLocale::Reading CLocale::readNumber(std::string_view text, double& value) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return Reading::Empty;
    }
    // from_chars takes no '+'; one is what people write for a positive number.
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            return Reading::NotANumber;
        }
    }
    // Neither the locale nor the C library's state: the same answer in every thread and desktop.
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        return Reading::OutOfRange;
    }
    if (ec != std::errc() || end != text.data() + text.size()) {
        return Reading::NotANumber;
    }
    return Reading::Number;
}

}  // namespace zw
