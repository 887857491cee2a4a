#include "platform/CLocale.h"

#include <stdlib.h>
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

}  // namespace zw
