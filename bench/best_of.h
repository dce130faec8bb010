#pragma once
// The benchmarks' timing: the best of five runs of a step, in seconds;
// `prepare` runs before each run, outside the time.

#include <algorithm>
#include <chrono>
#include <functional>

namespace zor::bench {

inline double best_of(
    const std::function<void()>& f, const std::function<void()>& prepare = [] {}, int runs = 5) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        auto start = std::chrono::steady_clock::now();
        f();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace zor::bench
