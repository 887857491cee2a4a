#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace zw {

// Holds back a line repeated in a row, as system loggers do: the first one is written, the
// repeats are counted, and "(last message repeated N times)" is written when a different line
// comes, once the first held repeat is a second old, or on flush. A pole under the shading
// would otherwise write one line per box at every rebuild.
class LogCoalescer {
  public:
    using Clock = std::chrono::steady_clock;
    using Writer = std::function<void(const std::string& line)>;
    static constexpr std::chrono::seconds kHoldAtMost{1};

    explicit LogCoalescer(Writer write) : write_(std::move(write)) {}

    void add(const std::string& line, Clock::time_point now);
    // Writes the count of the held repeats if they have waited long enough.
    void flushIfDue(Clock::time_point now);
    // Writes the count of the held repeats, if any.
    void flush();
    // When the held repeats must be written; none while nothing is held.
    std::optional<Clock::time_point> dueAt() const;
    std::size_t heldRepeats() const { return repeats_; }

  private:
    Writer write_;
    std::string last_;
    bool any_ = false;
    std::size_t repeats_ = 0;
    Clock::time_point firstRepeat_{};
};

}  // namespace zw
