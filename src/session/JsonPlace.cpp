#include "session/JsonPlace.h"

namespace zw {

JsonPath operator/(JsonPath where, const char* key) {
    where.push_back(JsonStep{key, 0, false});
    return where;
}

JsonPath operator/(JsonPath where, std::size_t index) {
    where.push_back(JsonStep{{}, index, true});
    return where;
}

// A parsed tree keeps no positions, so a message's line is found by walking the text again
// along the steps. This runs only for a message, on text already known to be JSON.
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t skipSpace(std::string_view t, std::size_t i) {
    while (i < t.size() && isSpace(t[i])) {
        ++i;
    }
    return i;
}

std::size_t skipString(std::string_view t, std::size_t i) {
    for (++i; i < t.size(); ++i) {
        if (t[i] == '\\') {
            ++i;
        } else if (t[i] == '"') {
            return i + 1;
        }
    }
    return t.size();
}

std::size_t skipValue(std::string_view t, std::size_t i) {
    if (i >= t.size()) {
        return i;
    }
    if (t[i] == '"') {
        return skipString(t, i);
    }
    if (t[i] == '{' || t[i] == '[') {
        int depth = 0;
        while (i < t.size()) {
            const char c = t[i];
            if (c == '"') {
                i = skipString(t, i);
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if ((c == '}' || c == ']') && --depth == 0) {
                return i + 1;
            }
            ++i;
        }
        return i;
    }
    while (i < t.size() && !isSpace(t[i]) && t[i] != ',' && t[i] != ']' && t[i] != '}') {
        ++i;
    }
    return i;
}

}  // namespace

std::size_t locateInJson(std::string_view t, const JsonPath& where) {
    std::size_t i = skipSpace(t, 0);
    for (const JsonStep& step : where) {
        const std::size_t container = i;
        if (i >= t.size() || t[i] != (step.isIndex ? '[' : '{')) {
            return container;
        }
        i = skipSpace(t, i + 1);
        std::size_t found = std::string_view::npos;
        for (std::size_t k = 0; i < t.size() && t[i] != ']' && t[i] != '}'; ++k) {
            if (step.isIndex) {
                if (k == step.index) {
                    found = i;
                    break;
                }
            } else {
                const std::size_t end = skipString(t, i);
                const std::string_view key =
                    end - i >= 2 ? t.substr(i + 1, end - i - 2) : std::string_view{};
                i = skipSpace(t, end);
                if (i < t.size() && t[i] == ':') {
                    i = skipSpace(t, i + 1);
                }
                if (key == step.key) {
                    found = i;
                }
            }
            i = skipSpace(t, skipValue(t, i));
            if (i < t.size() && t[i] == ',') {
                i = skipSpace(t, i + 1);
            }
        }
        if (found == std::string_view::npos) {
            return container;
        }
        i = found;
    }
    return i;
}

std::size_t lineAt(std::string_view t, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < t.size(); ++i) {
        line += t[i] == '\n' ? 1 : 0;
    }
    return line;
}

}  // namespace zw
