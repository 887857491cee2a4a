// Floods of log lines: standard error folds up a line repeated in a row, while an installed
// sink still receives every line; the removal line stays short however many paths wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/Log.h"
#include "platform/LogCoalescer.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"

namespace zw {
namespace {

using namespace std::chrono_literals;
using Clock = LogCoalescer::Clock;

struct Written {
    std::vector<std::string> lines;
    LogCoalescer coalescer{[this](const std::string& line) { lines.push_back(line); }};
};

TEST(LogCoalescerTest, ARunOfOneLineIsWrittenOnceWithItsCountWhenAnotherLineComes) {
    Written out;
    const Clock::time_point t0{};
    out.coalescer.add("a", t0);
    for (int i = 0; i < 999; ++i) {
        out.coalescer.add("Division by zero", t0 + 1ms);
    }
    EXPECT_EQ(out.lines, (std::vector<std::string>{"a", "Division by zero"}));
    out.coalescer.add("b", t0 + 2ms);
    out.coalescer.add("b", t0 + 3ms);
    out.coalescer.add("a", t0 + 4ms);
    out.coalescer.add("a", t0 + 5ms);
    EXPECT_EQ(out.lines, (std::vector<std::string>{"a", "Division by zero",
                                                   "(last message repeated 998 times)", "b",
                                                   "(last message repeated 1 times)", "a"}));
    // Nothing is owed once a different line came: a line seen twice, not in a row, is written
    // twice.
    out.coalescer.flush();
    EXPECT_EQ(out.lines.back(), "(last message repeated 1 times)");
    out.coalescer.flush();
    EXPECT_EQ(out.lines.size(), 7u);
}

TEST(LogCoalescerTest, HeldRepeatsAreWrittenOnceTheFirstIsASecondOld) {
    Written out;
    const Clock::time_point t0{};
    out.coalescer.add("x", t0);
    EXPECT_FALSE(out.coalescer.dueAt().has_value());
    out.coalescer.add("x", t0 + 100ms);
    out.coalescer.add("x", t0 + 200ms);
    ASSERT_TRUE(out.coalescer.dueAt().has_value());
    EXPECT_EQ(*out.coalescer.dueAt(), t0 + 1100ms);
    out.coalescer.flushIfDue(t0 + 1099ms);
    EXPECT_EQ(out.lines.size(), 1u);
    out.coalescer.flushIfDue(t0 + 1100ms);
    EXPECT_EQ(out.lines, (std::vector<std::string>{"x", "(last message repeated 2 times)"}));
    EXPECT_FALSE(out.coalescer.dueAt().has_value());

    // A flood that never stops writes one count a second, not one line per repeat.
    for (int ms = 1200; ms < 4200; ms += 1) {
        out.coalescer.add("x", t0 + std::chrono::milliseconds(ms));
    }
    EXPECT_EQ(out.lines.size(), 2u + 2u);
    EXPECT_EQ(out.lines.back(), "(last message repeated 1001 times)");
}

// The default sink, in a child process whose standard error is read back.
TEST(LogDeathTest, StandardErrorFoldsRunsAndWritesTheCountAtExit) {
    EXPECT_EXIT(
        {
            for (int i = 0; i < 20000; ++i) {
                log("Division by zero");
            }
            log("i = %d", 1);
            log("i = %d", 1);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "^Division by zero\n\\(last message repeated 19999 times\\)\ni = 1\n"
        "\\(last message repeated 1 times\\)\n$");
}

TEST(LogDeathTest, StandardErrorWritesTheCountOfAnIdleRunAfterASecond) {
    EXPECT_EXIT(
        {
            log("Division by zero");
            log("Division by zero");
            std::this_thread::sleep_for(1500ms);
            // Leaves without the exit handlers: only the watcher can have written the count.
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "^Division by zero\n\\(last message repeated 1 times\\)\n$");
}

// An error written after diagnostics reads last, not followed by the count of their repeats.
TEST(LogDeathTest, AFlushWritesTheHeldCountBeforeWhatComesNext) {
    EXPECT_EXIT(
        {
            log("invert: Division by zero!");
            log("invert: Division by zero!");
            log("invert: Division by zero!");
            flushLog();
            std::fprintf(stderr, "zwmap: the error\n");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "^invert: Division by zero!\n\\(last message repeated 2 times\\)\nzwmap: the error\n$");
}

// Shading zoomed in on the pole of Invert: every box divides by zero at every rebuild.
TEST(LogDeathTest, ShadingOnAPoleWritesAFewLinesForAHundredThousandDivisions) {
    const std::string file = ::testing::TempDir() + "zw_log_flood.txt";
    EXPECT_EXIT(
        {
            if (std::freopen(file.c_str(), "w", stderr) == nullptr) {
                std::_Exit(2);
            }
            {
                test::AppHarness app;
                test::FakeSender invert("Invert");
                test::FakeSender modulus("Shade by Modulus");
                app.controller.setFunction(&invert);
                app.domain->showContoursAction(&modulus);
                for (int i = 0; i < 100; ++i) {
                    app.domain->zoomIn(nullptr);
                }
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    std::ifstream written(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(written, line);) {
        lines.push_back(line);
    }
    std::size_t divisions = 0;
    const std::string count = "(last message repeated ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "invert: Division by zero!") {
            ++divisions;
        } else if (lines[i].rfind(count, 0) == 0) {
            ASSERT_GT(i, 0u);
            if (lines[i - 1] == "invert: Division by zero!") {
                divisions += std::stoul(lines[i].substr(count.size()));
            }
        }
    }
    EXPECT_GT(divisions, 100000u);
    EXPECT_LT(lines.size(), 50u);
}

TEST(LogSinkTest, AnInstalledSinkReceivesEveryLine) {
    test::LogCapture capture;
    for (int i = 0; i < 500; ++i) {
        log("Division by zero");
    }
    EXPECT_EQ(capture.count("Division by zero"), 500u);
    EXPECT_EQ(capture.lines.size(), 500u);
    // Long lines come whole.
    const std::string title(1000, 'x');
    log("unknown function specifed, namely %s, behaving as identity", title.c_str());
    EXPECT_EQ(capture.lines.back(),
              "unknown function specifed, namely " + title + ", behaving as identity");
}

TEST(RemovalLogLineTest, ShowsTheEndsOfALongStackAndCountsTheRest) {
    test::AppHarness app;
    test::LogCapture log;
    const std::string prefix = "domain here: removeLastPath just added a path to removedPaths, ";
    for (int i = 1; i <= 8; ++i) {
        app.press({10.0 + i, 10});
        for (int k = 1; k < i; ++k) {
            app.drag({10.0 + i, 10.0 + k});
        }
        app.release({10.0 + i, 10});
    }
    for (int i = 0; i < 8; ++i) {
        app.controller.removeLastPath(nullptr);
    }
    const std::vector<std::string> lines = log.startingWith(prefix);
    ASSERT_EQ(lines.size(), 8u);
    // The stack's bottom is the newest path, removed first.
    EXPECT_EQ(lines[0], prefix + "(<Path: 8 elements>)");
    EXPECT_EQ(lines[6], prefix +
                            "(<Path: 8 elements>, <Path: 7 elements>, <Path: 6 elements>, "
                            "<Path: 5 elements>, <Path: 4 elements>, <Path: 3 elements>, "
                            "<Path: 2 elements>)");
    EXPECT_EQ(lines[7], prefix +
                            "(<Path: 8 elements>, <Path: 7 elements>, <Path: 6 elements>, "
                            "... 2 more ..., <Path: 3 elements>, <Path: 2 elements>, "
                            "<Path: 1 elements>)");
}

TEST(RemovalLogLineTest, StaysShortWithThousandsOfRemovedPaths) {
    test::AppHarness app;
    for (int i = 0; i < 3000; ++i) {
        app.press({100, 100});
        app.release({100, 100});
    }
    test::LogCapture log;
    for (int i = 0; i < 3000; ++i) {
        app.controller.removeLastPath(nullptr);
    }
    ASSERT_EQ(log.lines.size(), 3000u);
    std::size_t longest = 0;
    for (const std::string& line : log.lines) {
        longest = std::max(longest, line.size());
    }
    EXPECT_LT(longest, 250u);
    EXPECT_NE(log.lines.back().find("... 2994 more ..."), std::string::npos) << log.lines.back();
}

}  // namespace
}  // namespace zw
