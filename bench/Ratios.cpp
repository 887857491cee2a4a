#include "Ratios.h"

#include <utility>

namespace zw::bench {

namespace {
std::vector<Ratio>& registry() {
    static std::vector<Ratio> list;
    return list;
}
}  // namespace

int addRatio(std::string what, std::string name, std::string baseline, double goal) {
    registry().push_back(Ratio{std::move(what), std::move(name), std::move(baseline), goal});
    return static_cast<int>(registry().size());
}

const std::vector<Ratio>& ratios() {
    return registry();
}

}  // namespace zw::bench
