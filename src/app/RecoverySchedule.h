#pragma once

#include <chrono>
#include <optional>

namespace zw {

// When the window writes the recovery copy of a session with unsaved changes: a few seconds
// after the first change since the last copy, so that a burst of changes (a path drawn, a
// dialog confirmed) makes one copy, and never more than once in 30 s, so that a long stretch of
// drawing costs little. Nothing is written while nothing changes. The clock is the caller's:
// every call says what time it is.
class RecoverySchedule {
  public:
    using Time = std::chrono::milliseconds;

    struct Timing {
        Time delay{3000};
        Time interval{30000};
        // For tests only: the times in milliseconds as texts (from the environment); a text
        // that is absent or not a whole number from 1 to a day keeps its default.
        static Timing fromText(const char* delay, const char* interval);
    };

    RecoverySchedule() = default;
    explicit RecoverySchedule(Timing timing) : timing_(timing) {}

    const Timing& timing() const { return timing_; }

    // Something the session file would hold has changed.
    void changed(Time now);
    // The changes are saved or discarded: nothing is pending, and no copy is left.
    void cleared();
    // When the next copy is due, if a change is waiting for one.
    std::optional<Time> due() const;
    bool isDue(Time now) const;
    // A copy holding every change so far was written.
    void written(Time now);

  private:
    Timing timing_;
    // The first change the last copy does not hold.
    std::optional<Time> pending_;
    std::optional<Time> lastWrite_;
};

}  // namespace zw
