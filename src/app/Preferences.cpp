#include "app/Preferences.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace zw {

namespace {

bool readInt(std::string_view text, int& out) {
    if (text.empty() || text.front() == '+' || text.front() == '-') {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

bool readSize(std::string_view text, Preferences::Size& size) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return false;
    }
    Preferences::Size s{};
    if (!readInt(text.substr(0, x), s.width) || !readInt(text.substr(x + 1), s.height)) {
        return false;
    }
    const auto fits = [](int side) {
        return side >= Preferences::kMinSide && side <= Preferences::kMaxSide;
    };
    if (!fits(s.width) || !fits(s.height)) {
        return false;
    }
    size = s;
    return true;
}

// A split that leaves each plane a tenth of the width at least.
constexpr double kLeastShare = 0.1;

bool readFraction(std::string_view text, double& share) {
    if (text.empty() || text.front() == '+' || text.front() == '-') {
        return false;
    }
    double v = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !(v >= kLeastShare) ||
        !(v <= 1.0 - kLeastShare)) {
        return false;
    }
    share = v;
    return true;
}

// The last part of an item's id: "domain.shadingColours.classic" stands for "classic".
std::string_view lastPart(std::string_view id) {
    const std::size_t dot = id.rfind('.');
    return dot == std::string_view::npos ? id : id.substr(dot + 1);
}

}  // namespace

const std::vector<Preferences::Setting>& Preferences::settings() {
    using namespace preference;
    static const std::vector<Setting> table{
        {kWindowSize, Kind::Size, "1000x540", {}},
        {kSplitter, Kind::Fraction, "0.5", {}},
        {kLinkedCursor, Kind::Flag, "true", {"view.linkedCursor"}, true},
        {kFollowCurves, Kind::Flag, "false", {"view.followCurves"}, true},
        {kHighestResolution, Kind::Flag, "false", {"domain.highestResolution"}, true},
        {kShadingColours,
         Kind::Choice,
         "classic",
         {"domain.shadingColours.classic", "domain.shadingColours.colourWheel"},
         true},
        {kShadingResolution,
         Kind::Choice,
         "boxes",
         {"domain.shadingResolution.boxes", "domain.shadingResolution.everyPixel"},
         true},
        {kCoordinatesAtEdges, Kind::Flag, "false", {"view.coordinatesAtEdges"}, true},
        {kPullBackOnEveryBranch, Kind::Flag, "false", {"view.pullBackEveryBranch"}, true},
        {kFeatures, Kind::Flag, "false", {"view.features"}, true},
        {kExportFolder, Kind::Folder, "", {}},
    };
    return table;
}

const Preferences::Setting* Preferences::find(std::string_view key) {
    for (const Setting& s : settings()) {
        if (key == s.key) {
            return &s;
        }
    }
    return nullptr;
}

bool Preferences::valid(const Setting& setting, const std::string& value) {
    switch (setting.kind) {
        case Kind::Flag:
            return value == "true" || value == "false";
        case Kind::Choice:
            return !commandOf(setting, value).empty();
        case Kind::Size: {
            Size size{};
            return readSize(value, size);
        }
        case Kind::Fraction: {
            double share = 0.0;
            return readFraction(value, share);
        }
        case Kind::Folder:
            // A path of the file system: no line breaks or NULs, which no folder name a
            // dialog hands back contains; an empty one is no folder.
            return value.find_first_of(std::string_view("\0\n\r", 3)) == std::string::npos;
    }
    return false;
}

std::string Preferences::choiceOf(const Setting& setting, std::string_view command) {
    for (const std::string& c : setting.commands) {
        if (c == command) {
            return std::string(lastPart(c));
        }
    }
    return {};
}

std::string Preferences::commandOf(const Setting& setting, const std::string& value) {
    if (setting.kind != Kind::Choice) {
        return {};
    }
    for (const std::string& c : setting.commands) {
        if (lastPart(c) == value) {
            return c;
        }
    }
    return {};
}

Preferences Preferences::load(const PreferenceStore& store) {
    Preferences p;
    for (const Setting& s : settings()) {
        if (const std::optional<std::string> kept = store.read(s.key)) {
            p.set(s.key, *kept);
        }
    }
    return p;
}

std::string Preferences::value(std::string_view key) const {
    if (const auto found = values_.find(key); found != values_.end()) {
        return found->second;
    }
    const Setting* s = find(key);
    return s != nullptr ? s->defaultValue : std::string();
}

bool Preferences::isDefault(std::string_view key) const {
    const Setting* s = find(key);
    return s != nullptr && value(key) == s->defaultValue;
}

bool Preferences::set(std::string_view key, const std::string& value) {
    const Setting* s = find(key);
    if (s == nullptr || !valid(*s, value)) {
        return false;
    }
    values_.insert_or_assign(std::string(key), value);
    return true;
}

Preferences::Size Preferences::size(std::string_view key) const {
    Size size{};
    if (!readSize(value(key), size)) {
        const Setting* s = find(key);
        readSize(s != nullptr ? s->defaultValue : "", size);
    }
    return size;
}

double Preferences::fraction(std::string_view key) const {
    double share = 0.5;
    readFraction(value(key), share);
    return share;
}

void Preferences::save(PreferenceStore& store, std::string_view key) const {
    if (find(key) != nullptr) {
        store.write(std::string(key), value(key));
    }
}

void Preferences::forget(PreferenceStore& store) {
    for (const Setting& s : settings()) {
        store.remove(s.key);
    }
}

std::string Preferences::sizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string Preferences::fractionText(double share) {
    // Three decimals tell apart every split a screen can show, and read back the same.
    const double rounded = std::round(share * 1000.0) / 1000.0;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded);
    return std::string(buffer, result.ptr);
}

}  // namespace zw
