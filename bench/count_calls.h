#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

// Reports the time of one call alongside the time of one iteration.
inline void CountCalls(benchmark::State& state, std::size_t callsPerIteration) {
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(callsPerIteration),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
