#include "app/MobiusController.h"

#include "app/Controller.h"

namespace zw {

void MobiusController::closeWindow(Sender* sender) {
    aRm = readField(aR);
    bRm = readField(bR);
    cRm = readField(cR);
    dRm = readField(dR);
    aIm = readField(aI);
    bIm = readField(bI);
    cIm = readField(cI);
    dIm = readField(dI);
    if (controller != nullptr) {
        controller->setParameters("usersMobiusMap", aRm, aIm, bRm, bIm, cRm, cIm, dRm, dIm);
    }
    closeSenderWindow(sender);
}

}  // namespace zw
