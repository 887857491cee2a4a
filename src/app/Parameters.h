#pragma once

#include <complex>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ImageRedraw.h"
#include "engine/ParameterSettings.h"

namespace zw {

class Controller;
class Transformations;

// A parameter of f as the Parameters panel shows it.
struct ParameterInfo {
    std::string name;
    std::complex<double> value;
    // The slider's ends; a complex value's pad spans them in both parts.
    double min = ParameterSettings::kDefaultMin;
    double max = ParameterSettings::kDefaultMax;
    // A real parameter has no imaginary part.
    bool complex = false;
    PlaySettings play;
};

// The parameters of f: their values (kept by the engine, which compiles f at them) and how the
// panel shows them. A change of value rebuilds the whole picture once: the shading, the grid
// images, the pulled-back grid where the inverse exists at the new values, every drawn path's
// image from its domain path (Follow Curves honoured) and the readouts.
//
// Three ways to give a value:
//   setParameterValue    one undo step ("Change a"): a typed value;
//   slideParameterValue  a frame of a slide or of Play, no undo step; endSlide then makes the
//                        whole slide one step back to where it started;
//   showParameterValue   a frame and nothing else (an animation's frames), no undo step.
class Parameters {
  public:
    // New parameters start at FormulaParser::kParameterDefault in [-2, 2]; the morph's t at 1
    // in [0, 1] (ParameterSettings).
    Parameters(Controller& controller, Transformations& transformations);

    std::vector<ParameterInfo> parameters() const;
    std::optional<ParameterInfo> parameter(const std::string& name) const;

    // Each rebuilds the picture once; false (nothing changes) for a name f does not have. A
    // real parameter takes the real part of the value.
    bool setParameterValue(const std::string& name, std::complex<double> value);
    bool slideParameterValue(const std::string& name, std::complex<double> value);
    bool showParameterValue(const std::string& name, std::complex<double> value);
    // The slide under way becomes one undo step, if it moved the value.
    void endSlide();
    bool sliding() const { return slide_.has_value(); }

    // The range, swapped if given the wrong way round; false if either end is not finite or
    // they are equal. The value stays where it is.
    bool setRange(const std::string& name, double min, double max);
    // A parameter made real loses its imaginary part (a rebuild, no undo step).
    bool setComplex(const std::string& name, bool complex);
    bool setPlay(const std::string& name, PlaySettings play);

    // Function > Morph from Identity; the picture is rebuilt.
    void setMorph(bool on);
    bool morphing() const;

    // Where Play puts a parameter `seconds` after `from`: the real part moves by speed * range
    // per second, wrapping round (Loop) or turning at the ends (Bounce, `forward` then says
    // which way it goes and is turned too). A value outside the range starts from its end.
    static double playStep(const ParameterInfo& p, double from, double seconds, bool& forward);

    // A value typed into a number field: a number such as 1.5, 2e-3, -i or 1.5-2i, read as a
    // formula of numbers alone, so "." is the decimal point whatever the locale. False, with
    // the reason, for anything else; a value that is not finite is refused too.
    static bool readValue(const std::string& text, std::complex<double>& value, std::string& error);
    // A value as a number field shows it (ten significant digits), which readValue reads back;
    // a real parameter's without its imaginary part.
    static std::string valueText(std::complex<double> value, bool complex);

    // The settings and values given so far, and the morph, as a window starts: forgotten.
    void reset();

    // How many times the picture was rebuilt for a value; after each, onRebuilt runs.
    long rebuilds() const { return rebuilds_; }
    std::function<void()> onRebuilt;

  private:
    struct Slide {
        std::string name;
        std::complex<double> from;
        // The images showing before the slide.
        std::shared_ptr<ImageRedraw::SavedList> images;
    };

    // The value as the parameter takes it (a real one drops the imaginary part); false for a
    // name f does not have.
    bool install(const std::string& name, std::complex<double>& value);
    // Everything that follows f, the images included; returns the images that were showing.
    std::shared_ptr<ImageRedraw::SavedList> rebuild();
    // Everything but the images.
    void rebuildPicture();
    // The undo step that returns `name` from `to` to `from` with the images `before`.
    void recordChange(const std::string& name, std::complex<double> from, std::complex<double> to,
                      const std::shared_ptr<ImageRedraw::SavedList>& before);

    Controller& controller_;
    Transformations& transformations_;
    std::optional<Slide> slide_;
    long rebuilds_ = 0;
};

// A slider sends values faster than a slow picture can follow. The newest value waits here and
// one draw is scheduled (by the window: a zero-time timer); values that come while it waits
// or while a frame is drawing replace it, so a frame never queues another and the picture
// shows the newest value as soon as it can.
class ParameterFrames {
  public:
    using Schedule = std::function<void(std::function<void()>)>;

    ParameterFrames(Parameters& parameters, Schedule schedule);

    // A slide's value: drawn by the scheduled frame.
    void request(const std::string& name, std::complex<double> value);
    // Draws the waiting value now, if any (before the slide ends, say).
    void flush();
    bool pending() const { return pending_.has_value(); }

  private:
    void draw();

    Parameters& parameters_;
    Schedule schedule_;
    std::optional<std::pair<std::string, std::complex<double>>> pending_;
    bool scheduled_ = false;
};

}  // namespace zw
