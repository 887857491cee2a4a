#include "app/PolynomialController.h"

namespace zw {

void PolynomialController::closeWindow(Sender* sender) {
    installComplexMap(sender, "usersPolynomial");
}

}  // namespace zw
