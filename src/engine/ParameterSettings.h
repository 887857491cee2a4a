#pragma once

namespace zw {

// How Play moves a parameter: across its range and round again, or back and forth.
struct PlaySettings {
    enum class Mode { Loop, Bounce };
    Mode mode = Mode::Loop;
    // Ranges per second: 0.25 crosses the range in four seconds.
    double speed = 0.25;

    bool operator==(const PlaySettings&) const = default;
};

// How a parameter is shown and moved, beside its value: what a session keeps of it.
struct ParameterSettings {
    // New parameters start in [kDefaultMin, kDefaultMax] (the morph's t in [0, 1]).
    static constexpr double kDefaultMin = -2.0;
    static constexpr double kDefaultMax = 2.0;

    // The slider's ends; a complex value's pad spans them in both parts.
    double min = kDefaultMin;
    double max = kDefaultMax;
    // A real parameter has no imaginary part.
    bool complex = false;
    PlaySettings play;

    bool operator==(const ParameterSettings&) const = default;
};

}  // namespace zw
