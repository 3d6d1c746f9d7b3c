// Milliseconds since bench/run started this process: it passes its wall-clock
// time in TEMPORIA_BENCH_START_NS. -1 when not given.
#pragma once

#include <chrono>
#include <cstdlib>

inline double sinceStart()
{
    const char *start = std::getenv("TEMPORIA_BENCH_START_NS");
    if (!start)
        return -1;
    const auto now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    return static_cast<double>(now - std::atoll(start)) / 1e6;
}
