#include "platform/Log.h"

#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/CLocale.h"
#include "platform/LogCoalescer.h"

namespace zw {

namespace {

LogSink& sink() {
    static LogSink s;
    return s;
}

// Standard error with runs of one line folded up. Held repeats are written by a watcher
// thread once they are a second old, and at exit.
class StderrLog {
  public:
    static StderrLog& instance() {
        // Never destroyed: a line logged while the process winds down still has a home.
        static StderrLog* log = [] {
            auto* made = new StderrLog;
            std::atexit([] { instance().finish(); });
            return made;
        }();
        return *log;
    }

    void write(const std::string& line) {
        const std::lock_guard lock(mutex_);
        coalescer_.add(line, LogCoalescer::Clock::now());
        if (finished_) {
            coalescer_.flush();
            return;
        }
        if (coalescer_.dueAt().has_value()) {
            if (!watcher_.joinable()) {
                watcher_ = std::thread([this] { watch(); });
            }
            wake_.notify_one();
        }
    }

    void flush() {
        const std::lock_guard lock(mutex_);
        coalescer_.flush();
        std::fflush(stderr);
    }

  private:
    StderrLog() = default;

    static void toStderr(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

    void watch() {
        std::unique_lock lock(mutex_);
        while (!finished_) {
            if (const auto due = coalescer_.dueAt()) {
                wake_.wait_until(lock, *due);
            } else {
                wake_.wait(lock);
            }
            coalescer_.flushIfDue(LogCoalescer::Clock::now());
        }
    }

    void finish() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
            coalescer_.flush();
        }
        wake_.notify_all();
        if (watcher_.joinable()) {
            watcher_.join();
        }
        std::fflush(stderr);
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    LogCoalescer coalescer_{&StderrLog::toStderr};
    std::thread watcher_;
    bool finished_ = false;
};

}  // namespace

void log(const char* format, ...) {
    std::string line;
    {
        // Numbers in log lines keep their '.' on a comma-decimal desktop.
        const CLocale c;
        va_list args;
        va_start(args, format);
        va_list copy;
        va_copy(copy, args);
        // One pass for the usual short line; a second only for a long one.
        char shortLine[256];
        const int n = std::vsnprintf(shortLine, sizeof shortLine, format, copy);
        va_end(copy);
        if (n > 0 && static_cast<std::size_t>(n) < sizeof shortLine) {
            line.assign(shortLine, static_cast<std::size_t>(n));
        } else if (n > 0) {
            line.assign(static_cast<std::size_t>(n), '\0');
            std::vsnprintf(line.data(), line.size() + 1, format, args);
        }
        va_end(args);
    }
    if (sink()) {
        sink()(line);
    } else {
        StderrLog::instance().write(line);
    }
}

void flushLog() {
    StderrLog::instance().flush();
}

LogSink setLogSink(LogSink s) {
    return std::exchange(sink(), std::move(s));
}

}  // namespace zw
