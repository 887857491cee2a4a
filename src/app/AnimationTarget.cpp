#include "app/AnimationTarget.h"

#include "app/Workbench.h"

namespace zw {

std::vector<std::string> AnimationTarget::names(const Workbench&) {
    return {};
}

std::complex<double> AnimationTarget::valueOf(const Workbench&, const std::string&) {
    return {};
}

void AnimationTarget::rangeOf(const Workbench& workbench, const std::string& name,
                              std::complex<double>& from, std::complex<double>& to) {
    from = valueOf(workbench, name);
    to = from + 1.0;
}

bool AnimationTarget::setValue(Workbench&, const std::string& name, std::complex<double>,
                               std::string& error) {
    error = "f has no parameter " + name;
    return false;
}

}  // namespace zw
