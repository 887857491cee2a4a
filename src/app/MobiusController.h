#pragma once

#include "app/ParameterController.h"

namespace zw {

// The Möbius dialog: w = (az + b)/(cz + d).
class MobiusController : public ParameterController {
  public:
    void closeWindow(Sender* sender) override;
    // ad - bc = 0 makes (az + b)/(cz + d) one constant value: no map of the plane at all.
    bool checkMap(const std::array<float, 8>& coefficients, std::string& error) const override;
};

}  // namespace zw
