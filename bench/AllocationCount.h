#pragma once

#include <benchmark/benchmark.h>

namespace VyroBench {

// Heap allocations made through operator new since the program started.
long Allocations();

// Reports the allocations made since `before` as the "allocs" counter, per iteration.
void CountAllocations(benchmark::State& state, long before);

} // namespace VyroBench
