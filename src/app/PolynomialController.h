#pragma once

#include "app/ParameterController.h"

namespace zw {

// The cubic dialog: w = az³ + bz² + cz + d.
class PolynomialController : public ParameterController {
  public:
    void closeWindow(Sender* sender) override;
};

}  // namespace zw
