#pragma once

#include <cstddef>
#include <vector>

// What the unit benchmarks measure with: the GUI thread's CPU time (waiting costs nothing), the heap
// in use, and the event loop run long enough for every layout and repaint a change asked for.

constexpr int SettleMs = 40;

double threadCpuMs();
std::size_t heapInUse();
double median(std::vector<double> values);
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
