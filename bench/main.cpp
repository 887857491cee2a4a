// Prints, after the usual table, each benchmark's time as a ratio against its baseline from
// the same run, since absolute times on shared machines say little.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Ratios.h"
#include "platform/Log.h"
#include "platform/Parallel.h"

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    explicit RatioReporter(bool filtered) : filtered_(filtered) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Processor time: on a shared machine the wall clock also counts other people's work.
            // A benchmark of work on several threads asks for the wall clock by its name.
            const std::string name = run.benchmark_name();
            const bool wall =
                name.size() >= 10 && name.compare(name.size() - 10, 10, "/real_time") == 0;
            zw::bench::Measured& measured = runs_[name];
            measured.time = run.error_occurred ? 0.0
                            : wall             ? run.GetAdjustedRealTime()
                                               : run.GetAdjustedCPUTime();
            measured.errored = run.error_occurred;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        allMeasured_ = zw::bench::printRatios(stdout, zw::bench::ratios(), runs_, filtered_);
    }
    bool allMeasured() const { return allMeasured_; }

  private:
    bool filtered_;
    bool allMeasured_ = true;
    std::map<std::string, zw::bench::Measured> runs_;
};

// Whether only some benchmarks were asked for: then the ratios of the others are not missing.
bool hasFilter(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).rfind("--benchmark_filter", 0) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Passes draw text, which needs the application's fonts; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    // Poles log a line per sample; writing them is not what is measured.
    zw::setLogSink([](const std::string&) {});
    // One thread unless a benchmark asks for every core: processor times against baselines on
    // one thread mean what they always meant.
    zw::parallel::setThreadCount(1);
    const bool filtered = hasFilter(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(filtered);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // A figure that could not be made must not read as a goal met.
    return reporter.allMeasured() ? 0 : 1;
}
