#pragma once

#include "app/ParameterController.h"

namespace zw {

// The affine dialog: aR, bR are the translation (u, v); aI, bI, cI, dI the matrix a, b, c, d of
// Re w = u + a x + c y, Im w = v + b x + d y. cR and dR are not read.
class AffineController : public ParameterController {
  public:
    void closeWindow(Sender* sender) override;
};

}  // namespace zw
