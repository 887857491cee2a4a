#include "app/AnimationTarget.h"

#include "app/Workbench.h"

namespace zw {

std::vector<std::string> AnimationTarget::names(const Workbench&) {
    return {};
}

std::complex<double> AnimationTarget::valueOf(const Workbench&, const std::string&) {
    return {};
}

bool AnimationTarget::setValue(Workbench&, const std::string& name, std::complex<double>,
                               std::string& error) {
    error = "f has no parameter " + name;
    return false;
}

}  // namespace zw
