#pragma once

#include "app/ParameterController.h"

namespace zw {

// The Möbius dialog: w = (az + b)/(cz + d).
class MobiusController : public ParameterController {
  public:
    void closeWindow(Sender* sender) override;
};

}  // namespace zw
