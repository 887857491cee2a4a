#pragma once

#include <cstddef>
#include <functional>

namespace zw::parallel {

// How many threads a parallel section runs on, the caller's own included: every core unless a
// count was set. Always at least 1.
int threadCount();
// n >= 1 runs every later section on n threads (1: on the caller alone); 0 goes back to every
// core. For tests that compare against one thread, and for benchmarks.
void setThreadCount(int n);

// Runs work(begin, end) over the chunks [0, grain), [grain, 2 grain), ... of [0, count) and
// returns when all have run. Chunks go to whichever thread is free next, so work must only
// write what its chunk owns and only read what no chunk writes; what the chunks make is then
// the same whatever the number of threads. With one thread, or one chunk, the chunks run in
// order on the caller. The first exception a chunk throws is thrown again here, after every
// thread has stopped.
void forEachChunk(std::size_t count, std::size_t grain,
                  const std::function<void(std::size_t begin, std::size_t end)>& work);

}  // namespace zw::parallel
