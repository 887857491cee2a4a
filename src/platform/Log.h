#pragma once

#include <functional>
#include <string>

namespace zw {

// Writes one diagnostic line (printf-style format, no level, no prefix) to standard error,
// or to the installed sink.
void log(const char* format, ...) __attribute__((format(printf, 1, 2)));

using LogSink = std::function<void(const std::string& line)>;

// Installs a sink for the log lines (an empty one restores standard error); returns the
// previous sink.
LogSink setLogSink(LogSink sink);

}  // namespace zw
