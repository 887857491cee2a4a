// The benchmark run's ratios: a figure that could not be made is never printed as a goal met.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Ratios.h"

namespace {

using zw::bench::Measured;
using zw::bench::Ratio;

struct Printed {
    bool allMeasured;
    std::string text;
};

Printed print(const std::map<std::string, Measured>& runs, bool filtered) {
    const std::vector<Ratio> list = {{"fast against slow", "BM_Fast", "BM_Slow", 1.5},
                                     {"plain figure", "BM_Plain", "BM_Slow", 0.0}};
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    const bool all = zw::bench::printRatios(out, list, runs, filtered);
    std::fclose(out);
    Printed printed{all, std::string(buffer, size)};
    std::free(buffer);
    return printed;
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(BenchRatiosTest, AFigureIsMeasuredOnlyWhenBothItsBenchmarksRanWithoutError) {
    const Measured ok{2.0, false};
    const Measured base{4.0, false};
    const Measured errored{0.0, true};
    const Measured noTime{0.0, false};
    struct Case {
        const char* what;
        std::map<std::string, Measured> runs;
        bool filtered;
        bool allMeasured;
        int notMeasured;
        int met;
    };
    const Case cases[] = {
        {"all ran", {{"BM_Fast", ok}, {"BM_Slow", base}, {"BM_Plain", ok}}, false, true, 0, 1},
        {"measured errored",
         {{"BM_Fast", errored}, {"BM_Slow", base}, {"BM_Plain", ok}},
         false,
         false,
         1,
         0},
        {"baseline errored",
         {{"BM_Fast", ok}, {"BM_Slow", errored}, {"BM_Plain", ok}},
         false,
         false,
         2,
         0},
        {"no time", {{"BM_Fast", noTime}, {"BM_Slow", base}, {"BM_Plain", ok}}, false, false, 1, 0},
        {"one missing, no filter", {{"BM_Fast", ok}, {"BM_Slow", base}}, false, false, 1, 1},
        {"none ran, no filter", {}, false, false, 2, 0},
        {"filter left both out", {{"BM_Fast", ok}, {"BM_Slow", base}}, true, true, 0, 1},
        {"filter kept one of a pair", {{"BM_Fast", ok}}, true, false, 1, 0},
        {"filter, one errored", {{"BM_Fast", errored}, {"BM_Slow", base}}, true, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Printed printed = print(c.runs, c.filtered);
        EXPECT_EQ(printed.allMeasured, c.allMeasured);
        EXPECT_EQ(count(printed.text, "NOT MEASURED"), c.notMeasured) << printed.text;
        EXPECT_EQ(count(printed.text, ": met)"), c.met) << printed.text;
        EXPECT_EQ(count(printed.text, " 0.00"), 0) << printed.text;
    }
}

TEST(BenchRatiosTest, AMeasuredFigureIsPrintedWithItsGoal) {
    const Printed printed = print(
        {{"BM_Fast", {3.0, false}}, {"BM_Slow", {2.0, false}}, {"BM_Plain", {1.0, false}}}, false);
    EXPECT_TRUE(printed.allMeasured);
    EXPECT_NE(printed.text.find("fast against slow"), std::string::npos);
    EXPECT_NE(printed.text.find("1.50  (goal <= 1.50: met)"), std::string::npos) << printed.text;
    EXPECT_NE(printed.text.find("plain figure"), std::string::npos);
    EXPECT_NE(printed.text.find("0.50\n"), std::string::npos) << printed.text;
}

}  // namespace
