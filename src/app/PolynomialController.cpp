#include "app/PolynomialController.h"

#include "engine/Catalogue.h"

namespace zw {

void PolynomialController::closeWindow(Sender* sender) {
    installComplexMap(sender, catalogue::kPolynomial);
}

}  // namespace zw
