// The engine over every month from year 0 to 9999 against <chrono> computing
// the same months' first weekday and length.
#include "engine/calendar.h"

#include <benchmark/benchmark.h>

#include <chrono>

static void engineAllMonths(benchmark::State &state)
{
    for (auto _ : state) {
        int sum = 0;
        for (std::int16_t th = 0; th < 10; ++th)
            for (std::int16_t h = 0; h < 10; ++h)
                for (std::int16_t t = 0; t < 10; ++t)
                    for (std::int16_t u = 0; u < 10; ++u)
                        for (std::int16_t m = 0; m < 12; ++m) {
                            const engine::MonthLayout l = engine::layout({th, h, t, u, m});
                            sum += l.startCell + l.days;
                        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 120000);
}
BENCHMARK(engineAllMonths);

static void chronoAllMonths(benchmark::State &state)
{
    using namespace std::chrono;
    for (auto _ : state) {
        int sum = 0;
        for (int y = 0; y <= 9999; ++y)
            for (unsigned m = 1; m <= 12; ++m) {
                const year_month ym{year{y}, month{m}};
                sum += static_cast<int>(weekday{sys_days{ym / 1}}.iso_encoding()) - 1
                       + static_cast<int>(unsigned{(ym / last).day()});
            }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 120000);
}
BENCHMARK(chronoAllMonths);
