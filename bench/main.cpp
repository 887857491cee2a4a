// Prints, after the usual table, each benchmark's time as a ratio against its baseline from
// the same run, since absolute times on shared machines say little.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const std::map<std::string, std::string> kBaselines = {
    {"BM_ConstructContours", "BM_BareShadingLoop"},
    {"BM_CanvasFillBoxes", "BM_PainterFillBoxes"},
    {"BM_PanRebuild", "BM_PanLive"},
    {"BM_PanRebuildFinest", "BM_PanLiveFinest"},
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, baseline] : kBaselines) {
            if (times_.count(name) != 0 && times_.count(baseline) != 0 && times_[baseline] > 0) {
                std::printf("%s / %s = %.2f\n", name.c_str(), baseline.c_str(),
                            times_[name] / times_[baseline]);
            }
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
