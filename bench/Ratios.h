#pragma once

#include <cstdio>
#include <map>
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

// What one benchmark of the run gave: its processor time, or the error it stopped with.
struct Measured {
    double time = 0.0;
    bool errored = false;
};

// Prints each ratio with its goal. A ratio is "NOT MEASURED" when either of its benchmarks
// stopped with an error, gave no time, or did not run although the whole set was asked for;
// with a filter, a ratio whose own benchmark did not run was not asked for and is left out
// (its baseline may have run for another figure).
// Returns whether every ratio that was asked for was measured.
bool printRatios(std::FILE* out, const std::vector<Ratio>& list,
                 const std::map<std::string, Measured>& runs, bool filtered);

}  // namespace zw::bench
