#include "platform/LogCoalescer.h"

namespace zw {

void LogCoalescer::add(const std::string& line, Clock::time_point now) {
    if (any_ && line == last_) {
        if (repeats_ == 0) {
            firstRepeat_ = now;
        }
        ++repeats_;
        flushIfDue(now);
        return;
    }
    flush();
    write_(line);
    last_ = line;
    any_ = true;
}

void LogCoalescer::flushIfDue(Clock::time_point now) {
    if (repeats_ > 0 && now - firstRepeat_ >= kHoldAtMost) {
        flush();
    }
}

void LogCoalescer::flush() {
    if (repeats_ == 0) {
        return;
    }
    write_("(last message repeated " + std::to_string(repeats_) + " times)");
    repeats_ = 0;
}

std::optional<LogCoalescer::Clock::time_point> LogCoalescer::dueAt() const {
    if (repeats_ == 0) {
        return std::nullopt;
    }
    return firstRepeat_ + kHoldAtMost;
}

}  // namespace zw
