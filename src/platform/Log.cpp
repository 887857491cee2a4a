#include "platform/Log.h"

#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

namespace zw {

namespace {
LogSink& sink() {
    static LogSink s;
    return s;
}
}  // namespace

void log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        line.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    if (sink()) {
        sink()(line);
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

LogSink setLogSink(LogSink s) {
    return std::exchange(sink(), std::move(s));
}

}  // namespace zw
