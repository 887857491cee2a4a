#include "app/ParameterController.h"

#include <cmath>
#include <string>

#include "app/Controller.h"
#include "platform/CLocale.h"
#include "platform/Translatable.h"
#include "platform/Window.h"

namespace zw {

float ParameterController::readField(const TextField* field) {
    if (field == nullptr) {
        return 0.0f;
    }
    const std::string text = field->stringValue();
    // Never the desktop's decimal comma: "2.5" is two and a half everywhere.
    return static_cast<float>(CLocale::atof(text.c_str()));
}

std::optional<float> ParameterController::checkField(std::string_view text, std::string& error) {
    double value = 0.0;
    switch (CLocale::readNumber(text, value)) {
        case CLocale::Reading::Empty:
            error = QT_TRANSLATE_NOOP("zw::Fields", "Type a number.");
            return std::nullopt;
        case CLocale::Reading::NotANumber:
            error = text.find(',') != std::string_view::npos
                        ? QT_TRANSLATE_NOOP("zw::Fields", "Use '.' as the decimal point.")
                        : QT_TRANSLATE_NOOP("zw::Fields", "Not a number.");
            return std::nullopt;
        case CLocale::Reading::OutOfRange:
            error = QT_TRANSLATE_NOOP("zw::Fields", "Out of range.");
            return std::nullopt;
        case CLocale::Reading::Number:
            break;
    }
    if (!std::isfinite(value)) {
        // A map with an infinite or undefined coefficient draws nothing anyone can use.
        error = QT_TRANSLATE_NOOP("zw::Fields", "Must be finite.");
        return std::nullopt;
    }
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) {
        error = QT_TRANSLATE_NOOP("zw::Fields", "Too large (over 3.4e38).");
        return std::nullopt;
    }
    error.clear();
    return single;
}

bool ParameterController::checkMap(const std::array<float, 8>&, std::string& error) const {
    error.clear();
    return true;
}

void ParameterController::closeSenderWindow(Sender* sender) {
    if (sender == nullptr) {
        return;
    }
    if (Window* w = sender->window()) {
        w->close();
    }
}

void ParameterController::installComplexMap(Sender* sender, const char* mapName) {
    aRm = readField(aR);
    bRm = readField(bR);
    cRm = readField(cR);
    dRm = readField(dR);
    aIm = readField(aI);
    bIm = readField(bI);
    cIm = readField(cI);
    dIm = readField(dI);
    if (controller != nullptr) {
        controller->setParameters(mapName, aRm, aIm, bRm, bIm, cRm, cIm, dRm, dIm);
    }
    closeSenderWindow(sender);
}

}  // namespace zw
