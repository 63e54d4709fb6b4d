// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sched.h>

#include <thread>

namespace vornel {

// How many jobs --jobs means by default: the processors this process may run on (its affinity,
// as taskset or a container sets it), else the machine's; at least 1.
inline unsigned default_jobs() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? cores : 1;
}

} // namespace vornel
