#include "session/PrintableText.h"

namespace zw {

std::string printable(std::string_view text, std::size_t most) {
    std::string out;
    std::size_t shown = 0;
    const auto escaped = [&out](unsigned value) {
        static const char* const kHex = "0123456789abcdef";
        out += value > 0xff ? "\\u" : "\\x";
        for (int shift = value > 0xff ? 12 : 4; shift >= 0; shift -= 4) {
            out += kHex[(value >> shift) & 0xf];
        }
    };
    for (std::size_t i = 0; i < text.size(); ++shown) {
        if (shown == most) {
            out += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '\n') {
                out += "\\n";
            } else if (c == '\t') {
                out += "\\t";
            } else if (c == '\r') {
                out += "\\r";
            } else if (c < 0x20 || c == 0x7f) {
                escaped(c);
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        // A whole UTF-8 sequence, or one byte that does not start one.
        const std::size_t length = c >= 0xf0 && c < 0xf5 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 ? 2 : 0;
        bool whole = length > 0 && c < 0xf5 && i + length <= text.size();
        unsigned code = length == 2 ? c & 0x1fu : length == 3 ? c & 0x0fu : c & 0x07u;
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xc0) == 0x80;
            code = (code << 6) | (next & 0x3fu);
        }
        whole = whole && !(length == 3 && (code < 0x800 || (code >= 0xd800 && code < 0xe000))) &&
                !(length == 4 && (code < 0x10000 || code > 0x10ffff));
        if (!whole) {
            escaped(c);
            ++i;
        } else if (code < 0xa0) {
            escaped(code);  // a control character of the second set
            i += length;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string inQuotes(std::string_view name) {
    // Appended, not "\"" + text: GCC 12 at -O3 warns falsely about the temporary's copy.
    std::string quoted = "\"";
    quoted += printable(name, 60);
    quoted += '"';
    return quoted;
}

}  // namespace zw
