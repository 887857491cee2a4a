#include "app/ParameterController.h"

#include <string>

#include "app/Controller.h"
#include "platform/CLocale.h"
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
