#include <gtest/gtest.h>

#include <vector>

#include "app/RecoverySchedule.h"

namespace zw::test {
namespace {

using Time = RecoverySchedule::Time;

// A clock that ticks every 100 ms: at each tick the changes and saves of that moment happen,
// then a copy is written if one is due. Returns when the copies were written (ms).
std::vector<long> copiesWritten(const std::vector<long>& changes, const std::vector<long>& saves,
                                long until) {
    RecoverySchedule schedule;  // 3 s after a change, at most once in 30 s
    std::vector<long> written;
    for (long t = 0; t <= until; t += 100) {
        for (long c : changes) {
            if (c == t) {
                schedule.changed(Time(t));
            }
        }
        for (long s : saves) {
            if (s == t) {
                schedule.cleared();
            }
        }
        if (schedule.isDue(Time(t))) {
            schedule.written(Time(t));
            written.push_back(t);
        }
    }
    return written;
}

std::vector<long> every(long step, long from, long to) {
    std::vector<long> out;
    for (long t = from; t <= to; t += step) {
        out.push_back(t);
    }
    return out;
}

TEST(RecoverySchedule, OneCopyPerBurstAndNeverTwoWithinTheInterval) {
    struct Case {
        const char* what;
        std::vector<long> changes;
        std::vector<long> saves;
        std::vector<long> copies;
    };
    const Case cases[] = {
        {"idle: nothing changes, nothing is written", {}, {}, {}},
        {"one change: a copy a few seconds later", {1000}, {}, {4000}},
        {"a burst of changes: one copy", {1000, 1200, 1500, 2500, 3900}, {}, {4000}},
        {"a change just after a copy waits out the interval", {1000, 5000}, {}, {4000, 34000}},
        {"a change long after: a few seconds after it", {1000, 60000}, {}, {4000, 63000}},
        {"steady drawing: once in 30 s", every(500, 0, 95000), {}, {3000, 33000, 63000, 93000}},
        {"saved before the copy was due: none", {1000}, {2000}, {}},
        {"saved, then changed again soon: still 30 s apart", {1000, 10000}, {5000}, {4000, 34000}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(copiesWritten(c.changes, c.saves, 120000), c.copies) << c.what;
    }
}

TEST(RecoverySchedule, TimesForTestsComeFromWholeNumbersOfMilliseconds) {
    struct Case {
        const char* delay;
        const char* interval;
        long wantDelay;
        long wantInterval;
    };
    const Case cases[] = {
        {nullptr, nullptr, 3000, 30000}, {"200", "1000", 200, 1000},
        {"0", "-5", 3000, 30000},        {"1e3", "250ms", 3000, 30000},
        {"", " 100", 3000, 30000},       {"86400000", "86400001", 86400000, 30000},
    };
    for (const Case& c : cases) {
        const RecoverySchedule::Timing t = RecoverySchedule::Timing::fromText(c.delay, c.interval);
        EXPECT_EQ(t.delay.count(), c.wantDelay) << (c.delay ? c.delay : "(none)");
        EXPECT_EQ(t.interval.count(), c.wantInterval) << (c.interval ? c.interval : "(none)");
    }
}

}  // namespace
}  // namespace zw::test
