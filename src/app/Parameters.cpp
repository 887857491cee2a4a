#include "app/Parameters.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "app/Controller.h"
#include "engine/Transformations.h"
#include "formula/FormulaParser.h"
#include "platform/UndoManager.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

Parameters::Parameters(Controller& controller, Transformations& transformations)
    : controller_(controller), transformations_(transformations) {}

std::vector<ParameterInfo> Parameters::parameters() const {
    std::vector<ParameterInfo> list;
    for (const std::string& name : transformations_.parameterNames()) {
        const ParameterSettings s = transformations_.parameterSettings(name);
        list.push_back(
            {name, transformations_.parameterValue(name), s.min, s.max, s.complex, s.play});
    }
    return list;
}

std::optional<ParameterInfo> Parameters::parameter(const std::string& name) const {
    for (ParameterInfo& p : parameters()) {
        if (p.name == name) {
            return std::move(p);
        }
    }
    return std::nullopt;
}

bool Parameters::install(const std::string& name, std::complex<double>& value) {
    if (!transformations_.parameterSettings(name).complex) {
        value = {value.real(), 0.0};
    }
    return transformations_.setParameterValue(name, value);
}

void Parameters::rebuildPicture() {
    DomainView* domain = controller_.domain;
    RangeView* range = controller_.range;
    if (domain == nullptr || range == nullptr) {
        return;
    }
    range->clearTransformedGridlines();
    controller_.constructTransformedGridlines();
    if (controller_.showingInverseImagesInDomain) {
        // Where the inverse lapses at these values (the morph before t = 1) the pull-backs
        // are hidden, not switched off: they come back with it.
        if (transformations_.hasInverse()) {
            controller_.constructInverseGridlines();
        } else {
            domain->clearInverseGridlines();
        }
        domain->setNeedsCompleteRedraw();
    }
    domain->constructContours();
    controller_.refreshReadouts();
    ++rebuilds_;
    if (onRebuilt) {
        onRebuilt();
    }
}

std::shared_ptr<ImageRedraw::SavedList> Parameters::rebuild() {
    std::shared_ptr<ImageRedraw::SavedList> before = ImageRedraw::retrace(controller_);
    rebuildPicture();
    return before;
}

bool Parameters::showParameterValue(const std::string& name, std::complex<double> value) {
    if (!install(name, value)) {
        return false;
    }
    rebuild();
    return true;
}

bool Parameters::slideParameterValue(const std::string& name, std::complex<double> value) {
    if (slide_ && slide_->name != name) {
        endSlide();
    }
    const std::complex<double> from = transformations_.parameterValue(name);
    if (!install(name, value)) {
        return false;
    }
    std::shared_ptr<ImageRedraw::SavedList> before = rebuild();
    if (!slide_) {
        slide_ = Slide{name, from, std::move(before)};
    }
    return true;
}

void Parameters::endSlide() {
    if (!slide_) {
        return;
    }
    Slide slide = std::move(*slide_);
    slide_.reset();
    const std::complex<double> to = transformations_.parameterValue(slide.name);
    if (to != slide.from) {
        recordChange(slide.name, slide.from, to, slide.images);
    }
}

bool Parameters::setParameterValue(const std::string& name, std::complex<double> value) {
    endSlide();
    const std::complex<double> from = transformations_.parameterValue(name);
    if (!install(name, value)) {
        return false;
    }
    std::shared_ptr<ImageRedraw::SavedList> before = rebuild();
    if (value != from) {
        recordChange(name, from, value, before);
    }
    return true;
}

void Parameters::recordChange(const std::string& name, std::complex<double> from,
                              std::complex<double> to,
                              const std::shared_ptr<ImageRedraw::SavedList>& before) {
    UndoManager* undo = controller_.domain != nullptr ? controller_.domain->undoManager() : nullptr;
    if (undo == nullptr) {
        return;
    }
    undo->registerUndo([this, name, from, to, before] {
        // A slide under way (Play) starts again from the value restored.
        slide_.reset();
        // Back to `from`: f, the grids and the shading computed again, the images as they were.
        if (transformations_.setParameterValue(name, from)) {
            rebuildPicture();
        }
        if (before) {
            ImageRedraw::swap(controller_, *before);
        }
        // `before` now holds the images at `to`, for the redo.
        recordChange(name, to, from, before);
    });
    undo->setActionName("Change " + name);
}

bool Parameters::setRange(const std::string& name, double min, double max) {
    if (!parameter(name)) {
        return false;
    }
    if (!std::isfinite(min) || !std::isfinite(max) || min == max) {
        return false;
    }
    if (min > max) {
        std::swap(min, max);
    }
    ParameterSettings s = transformations_.parameterSettings(name);
    s.min = min;
    s.max = max;
    transformations_.setParameterSettings(name, s);
    return true;
}

bool Parameters::setComplex(const std::string& name, bool complex) {
    if (!parameter(name)) {
        return false;
    }
    ParameterSettings s = transformations_.parameterSettings(name);
    s.complex = complex;
    transformations_.setParameterSettings(name, s);
    const std::complex<double> value = transformations_.parameterValue(name);
    if (!complex && value.imag() != 0.0) {
        return showParameterValue(name, {value.real(), 0.0});
    }
    return true;
}

bool Parameters::setPlay(const std::string& name, PlaySettings play) {
    if (!parameter(name)) {
        return false;
    }
    if (!std::isfinite(play.speed) || play.speed <= 0.0) {
        return false;
    }
    ParameterSettings s = transformations_.parameterSettings(name);
    s.play = play;
    transformations_.setParameterSettings(name, s);
    return true;
}

void Parameters::setMorph(bool on) {
    if (on == transformations_.morphing()) {
        return;
    }
    endSlide();
    transformations_.setMorph(on);
    rebuild();
}

bool Parameters::morphing() const {
    return transformations_.morphing();
}

void Parameters::reset() {
    endSlide();
    transformations_.resetParameters();
}

double Parameters::playStep(const ParameterInfo& p, double from, double seconds, bool& forward) {
    const double span = p.max - p.min;
    if (!(span > 0.0) || !std::isfinite(from)) {
        return p.min;
    }
    double x = std::fmin(std::fmax(from, p.min), p.max) - p.min;
    const double step = p.play.speed * span * seconds;
    if (p.play.mode == PlaySettings::Mode::Loop) {
        x = std::fmod(x + step, span);
        return p.min + (x < 0.0 ? x + span : x);
    }
    // Bounce: unfold the back-and-forth into one line of period 2 span.
    double along = forward ? x : 2.0 * span - x;
    along = std::fmod(along + step, 2.0 * span);
    if (along < 0.0) {
        along += 2.0 * span;
    }
    forward = along <= span;
    return p.min + (forward ? along : 2.0 * span - along);
}

bool Parameters::readValue(const std::string& text, std::complex<double>& value,
                           std::string& error) {
    FormulaProgram program;
    FormulaError fault;
    std::vector<std::string> names;
    if (!FormulaParser::compile(text, "z", program, fault, {}, &names)) {
        error = fault.message;
        return false;
    }
    const auto& code = program.instructions();
    if (!names.empty() || code.size() != 1 || code[0].op != FormulaProgram::Op::Constant) {
        error = "a value is a number, such as 1.5 or 1.5-2i";
        return false;
    }
    if (!std::isfinite(code[0].c.real()) || !std::isfinite(code[0].c.imag())) {
        error = "a value must be finite";
        return false;
    }
    value = code[0].c;
    return true;
}

namespace {

std::string numberText(double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x == 0.0 ? 0.0 : x,
                                      std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string Parameters::valueText(std::complex<double> value, bool complex) {
    const double re = value.real();
    const double im = value.imag();
    if (!complex || im == 0.0) {
        return numberText(re);
    }
    const std::string imaginary = (im == 1.0 ? "" : im == -1.0 ? "-" : numberText(im)) + "i";
    if (re == 0.0) {
        return imaginary;
    }
    return numberText(re) + (im > 0.0 ? "+" : "") + imaginary;
}

ParameterFrames::ParameterFrames(Parameters& parameters, Schedule schedule)
    : parameters_(parameters), schedule_(std::move(schedule)) {}

void ParameterFrames::request(const std::string& name, std::complex<double> value) {
    if (pending_ && pending_->first != name) {
        flush();
    }
    pending_ = std::make_pair(name, value);
    if (!scheduled_) {
        scheduled_ = true;
        schedule_([this] { draw(); });
    }
}

void ParameterFrames::draw() {
    scheduled_ = false;
    flush();
}

void ParameterFrames::flush() {
    if (!pending_) {
        return;
    }
    const auto [name, value] = std::move(*pending_);
    pending_.reset();
    parameters_.slideParameterValue(name, value);
}

}  // namespace zw
