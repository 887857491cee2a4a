#include "app/MobiusController.h"

namespace zw {

void MobiusController::closeWindow(Sender* sender) {
    installComplexMap(sender, "usersMobiusMap");
}

}  // namespace zw
