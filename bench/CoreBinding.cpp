#include "bench/CoreBinding.h"

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace kr6::bench {

#ifdef __linux__

namespace {

// The cores of the process as it started: a bound thread narrows only its own set.
const cpu_set_t& ProcessCores() {
    static const cpu_set_t Cores = [] {
        cpu_set_t Set;
        CPU_ZERO(&Set);
        sched_getaffinity(0, sizeof Set, &Set);
        return Set;
    }();
    return Cores;
}

} // namespace

TCoreBinding::TCoreBinding(int Core) {
    const cpu_set_t& Cores = ProcessCores();
    for (int Cpu = 0; Cpu < CPU_SETSIZE; ++Cpu) {
        if (!CPU_ISSET(Cpu, &Cores) || Core-- > 0)
            continue;
        cpu_set_t One;
        CPU_ZERO(&One);
        CPU_SET(Cpu, &One);
        FBound = pthread_setaffinity_np(pthread_self(), sizeof One, &One) == 0;
        return;
    }
}

TCoreBinding::~TCoreBinding() {
    if (FBound)
        pthread_setaffinity_np(pthread_self(), sizeof(cpu_set_t), &ProcessCores());
}

int UsableCores() {
    return CPU_COUNT(&ProcessCores());
}

#else

TCoreBinding::TCoreBinding(int) {}
TCoreBinding::~TCoreBinding() = default;

int UsableCores() {
    return 1;
}

#endif

} // namespace kr6::bench
