// Reads arbitrary bytes as the command line's animation texts: a value ("x+yi"), an assignment
// ("NAME=VALUE"), a range ("NAME=FROM:TO"), a number of frames, a rate and an output's name. A
// text is read whole or refused with its outputs untouched and, for the named forms, a message;
// whatever is read is finite and reads back from the text the program writes for it.
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/AnimationPlan.h"
#include "platform/PngSeries.h"

namespace {

using C = std::complex<double>;

bool finite(C v) {
    return std::isfinite(v.real()) && std::isfinite(v.imag());
}

void checkValue(C v) {
    if (!finite(v)) {
        __builtin_trap();
    }
    C back{7, 7};
    if (!zw::AnimationPlan::parseValue(zw::AnimationPlan::format(v), back) || back != v) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const C untouched{7, 7};

    C value = untouched;
    if (zw::AnimationPlan::parseValue(text, value)) {
        checkValue(value);
    } else if (value != untouched) {
        __builtin_trap();
    }

    std::string name = "unset";
    std::string error;
    value = untouched;
    if (zw::AnimationPlan::parseAssignment(text, name, value, error)) {
        if (!zw::AnimationPlan::isName(name) || text.substr(0, name.size()) != name) {
            __builtin_trap();
        }
        checkValue(value);
    } else if (error.empty() || name != "unset" || value != untouched) {
        __builtin_trap();
    }

    C to = untouched;
    value = untouched;
    error.clear();
    if (zw::AnimationPlan::parseRange(text, name, value, to, error)) {
        if (!zw::AnimationPlan::isName(name)) {
            __builtin_trap();
        }
        checkValue(value);
        checkValue(to);
        zw::AnimationPlan plan;
        plan.from = value;
        plan.to = to;
        plan.frames = 1 + static_cast<int>(size % zw::AnimationPlan::kMaxFrames);
        if (plan.valueAt(0) != value ||
            plan.valueAt(plan.frames - 1) != (plan.frames > 1 ? to : value)) {
            __builtin_trap();
        }
        // Between two finite ends every frame is finite, however far apart they are.
        for (int i = 0; i < plan.frames; i += 1 + plan.frames / 7) {
            if (!finite(plan.valueAt(i))) {
                __builtin_trap();
            }
        }
    } else if (error.empty() || to != untouched || value != untouched) {
        __builtin_trap();
    }

    int frames = -1;
    if (zw::AnimationPlan::parseFrames(text, frames)) {
        if (frames < 1 || frames > zw::AnimationPlan::kMaxFrames) {
            __builtin_trap();
        }
    } else if (frames != -1) {
        __builtin_trap();
    }
    double fps = -1;
    if (zw::AnimationPlan::parseFps(text, fps)) {
        if (!(fps >= zw::AnimationPlan::kMinFps && fps <= zw::AnimationPlan::kMaxFps)) {
            __builtin_trap();
        }
    } else if (fps != -1) {
        __builtin_trap();
    }

    // A series' frames have names of their own: no two alike, none with a conversion left.
    zw::AnimationWriter::Format format;
    if (zw::AnimationPlan::formatOf(text, format) &&
        format == zw::AnimationWriter::Format::PngSeries) {
        const std::string first = zw::PngSeries::nameOf(text, 1);
        const std::string tenth = zw::PngSeries::nameOf(text, 10);
        if (first == tenth || first.size() > text.size() + 10) {
            __builtin_trap();
        }
    }
    return 0;
}
