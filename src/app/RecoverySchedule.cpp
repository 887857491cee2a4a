#include "app/RecoverySchedule.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <system_error>

namespace zw {

namespace {

void readTime(const char* text, RecoverySchedule::Time& time) {
    constexpr long long kDay = 24LL * 60 * 60 * 1000;
    if (text == nullptr) {
        return;
    }
    const char* end = text + std::strlen(text);
    long long ms = 0;
    const auto [stop, error] = std::from_chars(text, end, ms);
    if (error == std::errc() && stop == end && stop != text && ms >= 1 && ms <= kDay) {
        time = RecoverySchedule::Time(ms);
    }
}

}  // namespace

RecoverySchedule::Timing RecoverySchedule::Timing::fromText(const char* delay,
                                                            const char* interval) {
    Timing t;
    readTime(delay, t.delay);
    readTime(interval, t.interval);
    return t;
}

void RecoverySchedule::changed(Time now) {
    if (!pending_) {
        pending_ = now;
    }
}

void RecoverySchedule::cleared() {
    pending_.reset();
}

std::optional<RecoverySchedule::Time> RecoverySchedule::due() const {
    if (!pending_) {
        return std::nullopt;
    }
    const Time soonest = *pending_ + timing_.delay;
    return lastWrite_ ? std::max(soonest, *lastWrite_ + timing_.interval) : soonest;
}

bool RecoverySchedule::isDue(Time now) const {
    const std::optional<Time> when = due();
    return when && now >= *when;
}

void RecoverySchedule::written(Time now) {
    pending_.reset();
    lastWrite_ = now;
}

}  // namespace zw
