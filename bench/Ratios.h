#pragma once

#include <string>
#include <vector>

namespace zw::bench {

// A figure the run reports: one benchmark's time over its baseline's from the same run, with
// the most it may be. Each benchmark file registers its own:
//   const int kMine = zw::bench::addRatio("what it measures", "BM_Mine", "BM_Baseline", 1.5);
struct Ratio {
    std::string what;
    std::string name;
    std::string baseline;
    double goal;  // 0: no goal, just the figure
};

int addRatio(std::string what, std::string name, std::string baseline, double goal = 0.0);
const std::vector<Ratio>& ratios();

}  // namespace zw::bench
