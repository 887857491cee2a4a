#include "planes/Readout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/CLocale.h"

namespace zw {

namespace {

// The smallest d with 10^-d <= size: the decimals whose last one steps no further than size.
// The small allowance keeps an exact power of ten (0.01 at scale 1) from rounding up a decimal.
int decimalsResolving(double size) {
    if (!(size > 0.0) || !std::isfinite(size)) {
        return 0;
    }
    const double d = std::ceil(-std::log10(size) - 1e-9);
    return static_cast<int>(std::clamp(d, 0.0, static_cast<double>(Readout::kMaxDecimals)));
}

}  // namespace

int Readout::decimals(double unitSize) {
    const int needed = decimalsResolving(unitSize);
    return needed <= 3 ? 3 : std::min(needed + 1, kMaxDecimals);
}

std::string Readout::fixed(double value, int decimals) {
    if (std::isnan(value)) {
        return "undefined";
    }
    if (std::isinf(value)) {
        return value > 0 ? "∞" : "-∞";
    }
    const double magnitude = std::fabs(value);
    if (decimals > 3 && magnitude > 0.0) {
        // Seventeen significant digits are all a double has; more would only show its noise.
        const int leading = static_cast<int>(std::floor(std::log10(magnitude)));
        decimals = std::max(3, std::min(decimals, 16 - leading));
    }
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const CLocale c;
    char buffer[96];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (n < static_cast<int>(sizeof buffer)) {
        return buffer;
    }
    // Up to 309 digits before the point.
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    text.pop_back();
    return text;
}

std::string Readout::notFinite(CGPoint p) {
    if (std::isinf(p.x) || std::isinf(p.y)) {
        return "∞";
    }
    if (std::isnan(p.x) || std::isnan(p.y)) {
        return "undefined";
    }
    return {};
}

std::string Readout::point(CGPoint p, double unitSize) {
    std::string text = notFinite(p);
    if (!text.empty()) {
        return text;
    }
    const int d = decimals(unitSize);
    return fixed(p.x, d) + ", " + fixed(p.y, d);
}

}  // namespace zw
