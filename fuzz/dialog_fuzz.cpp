// The coefficient dialogs take whatever the user types. Each input is one dialog's eight
// fields, one a line after a first byte that picks the dialog; the map is installed, which
// rebuilds the grid images and the shading under it, and the planes are drawn.
// fuzz runs: 10000
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "app/AffineController.h"
#include "app/Controller.h"
#include "app/MobiusController.h"
#include "app/PolynomialController.h"
#include "app/Workbench.h"
#include "engine/Transformations.h"
#include "platform/BezierPath.h"
#include "platform/Canvas.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace {

class Field : public zw::TextField {
  public:
    std::string stringValue() const override { return text; }
    std::string text;
};

// Takes every call and checks nothing: the planes' own arithmetic is what is fuzzed.
class NullCanvas : public zw::Canvas {
  public:
    void setColor(const zw::Color& color) override { color_ = color; }
    zw::Color currentColor() const override { return color_; }
    void fillRect(zw::CGRect) override {}
    void strokePath(const zw::BezierPath&) override {}
    void fillPath(const zw::BezierPath&) override {}
    zw::CGSize sizeOfText(const std::string& text, const zw::TextAttributes&) override {
        return {6.0 * static_cast<double>(text.size()), 12.0};
    }
    void drawText(const std::string&, zw::CGPoint, const zw::TextAttributes&) override {}

  private:
    zw::Color color_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // Small planes keep one input cheap; the walks are the same at any size.
    zw::Workbench workbench(nullptr, {{0, 0}, {120, 90}}, nullptr, {{0, 0}, {120, 90}});
    zw::Controller& controller = workbench.controller;
    zw::DomainView& domain = *workbench.domain();
    zw::RangeView& range = *workbench.range();
    domain.showContours = (data[0] & 4) != 0;
    domain.showArguments = (data[0] & 8) != 0;

    zw::MobiusController mobius;
    zw::PolynomialController polynomial;
    zw::AffineController affine;
    zw::ParameterController* dialogs[] = {&mobius, &polynomial, &affine};
    zw::ParameterController& dialog = *dialogs[data[0] % 3];
    Field fields[8];
    zw::TextField** slots[8] = {&dialog.aR, &dialog.aI, &dialog.bR, &dialog.bI,
                                &dialog.cR, &dialog.cI, &dialog.dR, &dialog.dI};
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (int i = 0; i < 8; ++i) {
        const std::size_t end = rest.find('\n');
        fields[i].text = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        *slots[i] = &fields[i];
    }
    dialog.controller = &controller;
    dialog.closeWindow(nullptr);

    // What the dialog lets through is what the controller then read, number for number.
    const float read[8] = {dialog.aRm, dialog.aIm, dialog.bRm, dialog.bIm,
                           dialog.cRm, dialog.cIm, dialog.dRm, dialog.dIm};
    std::array<float, 8> checked{};
    bool allRead = true;
    for (int i = 0; i < 8; ++i) {
        std::string error;
        const std::optional<float> v = zw::ParameterController::checkField(fields[i].text, error);
        if (v.has_value() != error.empty() || (v && !std::isfinite(*v))) {
            std::abort();
        }
        if (v && &dialog != &affine && std::memcmp(&*v, &read[i], sizeof(float)) != 0) {
            std::abort();
        }
        allRead = allRead && v.has_value();
        checked[static_cast<std::size_t>(i)] = v.value_or(0.0f);
    }
    if (allRead) {
        std::string error;
        if (dialog.checkMap(checked, error) == !error.empty()) {
            std::abort();
        }
    }

    NullCanvas canvas;
    domain.drawRect(canvas, domain.bounds());
    range.drawRect(canvas, range.bounds());
    return 0;
}
