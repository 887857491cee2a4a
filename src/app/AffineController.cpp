#include "app/AffineController.h"

#include <string>

#include "app/Controller.h"
#include "engine/Catalogue.h"
#include "platform/Log.h"

namespace zw {

void AffineController::closeWindow(Sender* sender) {
    const std::string translationText = aR != nullptr ? aR->stringValue() : std::string();
    log("AffineController.closeWindow here, aR = %s", translationText.c_str());
    aRm = readField(aR);
    bRm = readField(bR);
    aIm = readField(aI);
    bIm = readField(bI);
    cIm = readField(cI);
    dIm = readField(dI);
    if (controller != nullptr) {
        controller->setParameters(catalogue::kAffineMap, aRm, aIm, bRm, bIm, 0, cIm, 0, dIm);
    }
    closeSenderWindow(sender);
}

}  // namespace zw
