// The CPU time of this process in milliseconds, which the list view
// benchmarks measure with: steadier than wall time on a busy machine.
#pragma once

#include <ctime>

namespace lume::bench {

inline double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

}  // namespace lume::bench
