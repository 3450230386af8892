#pragma once
// The timing the Windows benchmarks share: a millisecond clock from the performance counter,
// and the median and fastest of a run's samples.

#include <windows.h>

#include <algorithm>
#include <vector>

inline double NowMs() {
    constexpr double MillisecondsPerSecond = 1000.0;
    static const double countsPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / MillisecondsPerSecond;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / countsPerMs;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }
