#include "app/StatusText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "planes/Readout.h"
#include "platform/Translatable.h"

namespace zw {

namespace {

constexpr std::string_view kGap = "    ";

std::string shortest(float value) {
    if (value == 0.0f) {
        return "0";  // also for -0
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string StatusText::number(double value, double unitSize) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? QT_TRANSLATE_NOOP("zw::StatusText", "undefined")
                                 : (value > 0 ? "∞" : "-∞");
    }
    const int decimals = Readout::decimals(unitSize);
    const double magnitude = std::fabs(value);
    const bool exponent = magnitude >= 1e9 || (magnitude != 0.0 && magnitude < 5e-4);
    int precision = decimals;
    if (exponent) {
        // Three digits after the mantissa's point, and, zoomed in, as many as the last one
        // needs to weigh no more than the plane's decimals do (a double has sixteen).
        precision = 3;
        if (decimals > 3) {
            const int leading = static_cast<int>(std::floor(std::log10(magnitude)));
            precision = std::clamp(leading + decimals, 3, 16);
        }
    }
    std::string text;
    if (!exponent && decimals > 3) {
        text = Readout::fixed(value, decimals);
    } else {
        char buffer[64];
        const auto result = std::to_chars(
            buffer, buffer + sizeof buffer, value,
            exponent ? std::chars_format::scientific : std::chars_format::fixed, precision);
        text.assign(buffer, result.ptr);
    }
    // A negative number that rounds to zero reads as zero.
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string StatusText::complex(CGPoint z, double unitSize) {
    const std::string notFinite = Readout::notFinite(z);
    if (!notFinite.empty()) {
        return notFinite;
    }
    std::string im = number(z.y, unitSize);
    const bool negative = im.front() == '-';
    if (negative) {
        im.erase(0, 1);
    }
    return number(z.x, unitSize) + (negative ? " - " : " + ") + im + "i";
}

std::string StatusText::pointer(const LinkedCursor::Reading& reading) {
    switch (reading.pane) {
        case LinkedCursor::Pane::Domain:
            return "z = " + complex(reading.point, reading.pointUnit) + std::string(kGap) +
                   "f(z) = " + complex(reading.image, reading.imageUnit);
        case LinkedCursor::Pane::Range: {
            std::string text = "w = " + complex(reading.point, reading.pointUnit);
            // f⁻¹(w) alone keeps its own name; any other preimage makes a list.
            const bool onlyTheInverse = reading.hasImage && reading.preimageCount == 1 &&
                                        reading.preimages.size() == 1 &&
                                        reading.preimages.front() == reading.image;
            if (reading.preimageCount > 0 && !onlyTheInverse) {
                text += std::string(kGap) + std::to_string(reading.preimageCount) +
                        (reading.preimageCount == 1 ? " preimage: " : " preimages: ");
                const std::size_t shown = std::min(reading.preimages.size(), kListedPreimages);
                for (std::size_t i = 0; i < shown; ++i) {
                    text += (i > 0 ? ", " : "") + complex(reading.preimages[i], reading.imageUnit);
                }
                if (static_cast<std::size_t>(reading.preimageCount) > shown) {
                    text += ", ...";
                }
                if (reading.leftOut > 0) {
                    text += " (" + std::to_string(reading.leftOut) + " left out)";
                }
            } else if (reading.hasImage) {
                text += std::string(kGap) + "f⁻¹(w) = " + complex(reading.image, reading.imageUnit);
            }
            if (reading.incomplete) {
                text += (reading.preimageCount > 0 || reading.hasImage ? " " : std::string(kGap)) +
                        "(search incomplete)";
            }
            return text;
        }
        case LinkedCursor::Pane::None:
            break;
    }
    return {};
}

std::string StatusText::zoom(float scaleFactor) {
    int e = 0;
    const float mantissa = std::frexp(scaleFactor, &e);
    if (mantissa != 0.5f) {
        return "×" + shortest(scaleFactor);  // not a power of two: say it as it is
    }
    const int power = e - 1;
    if (power >= 0 && power <= 16) {
        return "×" + std::to_string(1L << power);
    }
    if (power < 0 && power >= -16) {
        return "×1/" + std::to_string(1L << -power);
    }
    return "×2^" + std::to_string(power);
}

std::string StatusText::zooms(float domainScale, float rangeScale) {
    return "zoom z " + zoom(domainScale) + "  w " + zoom(rangeScale);
}

std::string StatusText::note(bool nowhereFinite) {
    return nowhereFinite ? QT_TRANSLATE_NOOP("zw::StatusText",
                                             "f(z) is not finite anywhere in view: nothing to draw")
                         : "";
}

std::string StatusText::feature(const FeatureMark& mark, double unitSize) {
    const std::string at = " at " + complex(mark.at, unitSize);
    const std::string order = " of order " + std::to_string(mark.order);
    switch (mark.kind) {
        case FeatureMark::Kind::Zero:
            return "zero" + order + at;
        case FeatureMark::Kind::Pole:
            return "pole" + order + at;
        case FeatureMark::Kind::CriticalPoint:
            return "critical point" + order + at;
        case FeatureMark::Kind::CriticalValue:
            return "critical value" + at;
        case FeatureMark::Kind::Essential:
            return "essential singularity" + at;
    }
    return {};
}

}  // namespace zw
