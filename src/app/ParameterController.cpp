#include "app/ParameterController.h"

#include <cstdlib>
#include <string>

#include "app/Controller.h"
#include "platform/Window.h"

namespace zw {

float ParameterController::readField(const TextField* field) {
    if (field == nullptr) {
        return 0.0f;
    }
    const std::string text = field->stringValue();
    return static_cast<float>(std::atof(text.c_str()));
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
