#include "Ratios.h"

#include <cmath>
#include <utility>

namespace zw::bench {

namespace {
std::vector<Ratio>& registry() {
    static std::vector<Ratio> list;
    return list;
}

// The time of a benchmark that ran without an error, or nothing.
const Measured* usable(const std::map<std::string, Measured>& runs, const std::string& name) {
    auto found = runs.find(name);
    if (found == runs.end() || found->second.errored || !std::isfinite(found->second.time) ||
        !(found->second.time > 0)) {
        return nullptr;
    }
    return &found->second;
}
}  // namespace

int addRatio(std::string what, std::string name, std::string baseline, double goal) {
    registry().push_back(Ratio{std::move(what), std::move(name), std::move(baseline), goal});
    return static_cast<int>(registry().size());
}

const std::vector<Ratio>& ratios() {
    return registry();
}

bool printRatios(std::FILE* out, const std::vector<Ratio>& list,
                 const std::map<std::string, Measured>& runs, bool filtered) {
    std::fprintf(out, "\nRatios (time / baseline time, same run):\n");
    bool allMeasured = true;
    for (const Ratio& ratio : list) {
        if (filtered && runs.count(ratio.name) == 0) {
            continue;
        }
        const Measured* time = usable(runs, ratio.name);
        const Measured* baseline = usable(runs, ratio.baseline);
        if (time == nullptr || baseline == nullptr) {
            std::fprintf(out, "  %-58s NOT MEASURED (%s)\n", ratio.what.c_str(),
                         (time == nullptr ? ratio.name : ratio.baseline).c_str());
            allMeasured = false;
            continue;
        }
        const double value = time->time / baseline->time;
        if (ratio.goal > 0) {
            std::fprintf(out, "  %-58s %6.2f  (goal <= %.2f: %s)\n", ratio.what.c_str(), value,
                         ratio.goal, value <= ratio.goal ? "met" : "NOT MET");
        } else {
            std::fprintf(out, "  %-58s %6.2f\n", ratio.what.c_str(), value);
        }
    }
    return allMeasured;
}

}  // namespace zw::bench
