#include "platform/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zw::parallel {

namespace {
std::atomic<int> forcedCount{0};

int everyCore() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 256u));
}
}  // namespace

int threadCount() {
    const int forced = forcedCount.load(std::memory_order_relaxed);
    return forced >= 1 ? forced : everyCore();
}

void setThreadCount(int n) {
    forcedCount.store(std::max(0, n), std::memory_order_relaxed);
}

void forEachChunk(std::size_t count, std::size_t grain,
                  const std::function<void(std::size_t begin, std::size_t end)>& work) {
    if (count == 0) {
        return;
    }
    grain = std::max<std::size_t>(grain, 1);
    const std::size_t chunks = (count + grain - 1) / grain;
    const auto threads = static_cast<std::size_t>(
        std::min<std::size_t>(static_cast<std::size_t>(threadCount()), chunks));
    if (threads <= 1) {
        for (std::size_t begin = 0; begin < count; begin += grain) {
            work(begin, std::min(count, begin + grain));
        }
        return;
    }
    // Threads made for each section rather than kept in a pool: a section is a whole shading or
    // a whole set of images, thousands of times the cost of starting a thread, and nothing then
    // lingers between sections.
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto run = [&] {
        for (;;) {
            const std::size_t chunk = next.fetch_add(1, std::memory_order_relaxed);
            if (chunk >= chunks || failed.load(std::memory_order_relaxed)) {
                return;
            }
            const std::size_t begin = chunk * grain;
            try {
                work(begin, std::min(count, begin + grain));
            } catch (...) {
                const std::lock_guard<std::mutex> hold(failureLock);
                if (!failure) {
                    failure = std::current_exception();
                }
                failed.store(true, std::memory_order_relaxed);
            }
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (std::size_t t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(run);
        } catch (const std::system_error&) {
            // No thread to be had: the threads there are take every chunk between them.
            break;
        }
    }
    run();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace zw::parallel
