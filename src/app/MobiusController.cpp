#include "app/MobiusController.h"

#include <complex>

#include "engine/Catalogue.h"
#include "platform/Translatable.h"

namespace zw {

void MobiusController::closeWindow(Sender* sender) {
    installComplexMap(sender, catalogue::kMobiusMap);
}

bool MobiusController::checkMap(const std::array<float, 8>& c, std::string& error) const {
    // In double, where every product of two floats is exact.
    const auto at = [&c](std::size_t i) { return std::complex<double>(c[i], c[i + 1]); };
    const std::complex<double> a = at(0), b = at(2), cc = at(4), d = at(6);
    if (a * d - b * cc == 0.0) {
        error = QT_TRANSLATE_NOOP("zw::Fields",
                                  "ad \u2212 bc = 0: the map would send every point to one value.");
        return false;
    }
    error.clear();
    return true;
}

}  // namespace zw
