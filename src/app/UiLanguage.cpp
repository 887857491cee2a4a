#include "app/UiLanguage.h"

#include <algorithm>
#include <cctype>

namespace zw {

namespace {

// "de-AT", "de_DE.UTF-8@euro" -> "de"; "C" and "POSIX" are the untranslated texts.
std::string primaryLanguage(const std::string& tag) {
    std::string language;
    for (const char c : tag) {
        if (c == '-' || c == '_' || c == '.' || c == '@') {
            break;
        }
        language += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return language == "c" || language == "posix" ? std::string("en") : language;
}

}  // namespace

std::string chooseLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string>& available) {
    for (const std::string& tag : preferred) {
        const std::string language = primaryLanguage(tag);
        if (language == "en") {
            return "";
        }
        if (std::find(available.begin(), available.end(), language) != available.end()) {
            return language;
        }
    }
    return "";
}

}  // namespace zw
