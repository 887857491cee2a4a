#include "app/AnimationTarget.h"

#include "app/Workbench.h"

namespace zw {

std::vector<std::string> AnimationTarget::names(const Workbench& workbench) {
    std::vector<std::string> names;
    for (const ParameterInfo& parameter : workbench.parameters.parameters()) {
        names.push_back(parameter.name);
    }
    return names;
}

std::complex<double> AnimationTarget::valueOf(const Workbench& workbench, const std::string& name) {
    const std::optional<ParameterInfo> parameter = workbench.parameters.parameter(name);
    return parameter ? parameter->value : std::complex<double>();
}

void AnimationTarget::rangeOf(const Workbench& workbench, const std::string& name,
                              std::complex<double>& from, std::complex<double>& to) {
    const std::optional<ParameterInfo> parameter = workbench.parameters.parameter(name);
    from = parameter ? parameter->min : 0.0;
    to = parameter ? parameter->max : 1.0;
}

bool AnimationTarget::setValue(Workbench& workbench, const std::string& name,
                               std::complex<double> value, std::string& error) {
    const std::optional<ParameterInfo> parameter = workbench.parameters.parameter(name);
    if (!parameter) {
        error = "f has no parameter " + name;
        return false;
    }
    // A real parameter would drop the imaginary part: asked for a complex value, the animation
    // makes it complex, in its own scene only.
    if (value.imag() != 0.0 && !parameter->complex) {
        workbench.parameters.setComplex(name, true);
    }
    if (!workbench.parameters.showParameterValue(name, value)) {
        error = "f has no parameter " + name;
        return false;
    }
    return true;
}

}  // namespace zw
