#pragma once

#include <cstddef>
#include <ctime>
#include <vector>

// What the benchmarks measure with: CPU time (waiting costs nothing), the heap in use, and the event
// loop run for a while, for instance long enough for every layout and repaint a change asked for.

constexpr int SettleMs = 40;

// Milliseconds of CPU time on `clock` (a thread's, the process's).
double cpuMs(clockid_t clock);
// The calling thread's.
double threadCpuMs();
// Small blocks and the large ones the allocator maps apart.
std::size_t heapInUse();
double median(std::vector<double> values);
// Runs the event loop for that long.
void wait(int msecs);
// Runs it for SettleMs.
void settle();

// CPU time of the work and of the event loop it leaves behind.
template<typename F>
double busyMs(F &&work)
{
    const double start = threadCpuMs();
    work();
    settle();
    return threadCpuMs() - start;
}
