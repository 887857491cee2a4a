#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Log.h"

namespace zw::test {

// While alive, collects the log lines instead of writing them; restores the previous sink.
class LogCapture {
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::size_t count(const std::string& line) const;
    bool contains(const std::string& line) const { return count(line) > 0; }
    // Lines that begin with `prefix`.
    std::vector<std::string> startingWith(const std::string& prefix) const;
    void clear() { lines.clear(); }

    std::vector<std::string> lines;

  private:
    LogSink previous_;
};

}  // namespace zw::test
