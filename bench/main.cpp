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

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Processor time: on a shared machine the wall clock also counts other people's work.
            times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nRatios (time / baseline time, same run):\n");
        for (const zw::bench::Ratio& ratio : zw::bench::ratios()) {
            if (times_.count(ratio.name) == 0 || times_.count(ratio.baseline) == 0 ||
                !(times_[ratio.baseline] > 0)) {
                continue;
            }
            const double value = times_[ratio.name] / times_[ratio.baseline];
            if (ratio.goal > 0) {
                std::printf("  %-58s %6.2f  (goal <= %.2f: %s)\n", ratio.what.c_str(), value,
                            ratio.goal, value <= ratio.goal ? "met" : "NOT MET");
            } else {
                std::printf("  %-58s %6.2f\n", ratio.what.c_str(), value);
            }
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    // Passes draw text, which needs the application's fonts; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    // Poles log a line per sample; writing them is not what is measured.
    zw::setLogSink([](const std::string&) {});
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
