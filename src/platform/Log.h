#pragma once

#include <functional>
#include <string>

namespace zw {

// Writes one diagnostic line (printf-style format in the C locale, no level, no prefix) to the
// installed sink, or else to standard error, where a line repeated in a row is written once
// and followed by "(last message repeated N times)".
void log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes the count of the lines held back on standard error now: a message written next (an
// error, say) then comes after the diagnostics that led to it, not before their count.
void flushLog();

using LogSink = std::function<void(const std::string& line)>;

// Installs a sink for the log lines (an empty one restores standard error); returns the
// previous sink.
LogSink setLogSink(LogSink sink);

}  // namespace zw
