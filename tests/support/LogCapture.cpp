#include "support/LogCapture.h"

#include <algorithm>
#include <utility>

namespace zw::test {

LogCapture::LogCapture() {
    previous_ = setLogSink([this](const std::string& line) { lines.push_back(line); });
}

LogCapture::~LogCapture() {
    setLogSink(std::move(previous_));
}

std::size_t LogCapture::count(const std::string& line) const {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

std::vector<std::string> LogCapture::startingWith(const std::string& prefix) const {
    std::vector<std::string> result;
    for (const std::string& l : lines) {
        if (l.compare(0, prefix.size(), prefix) == 0) {
            result.push_back(l);
        }
    }
    return result;
}

}  // namespace zw::test
