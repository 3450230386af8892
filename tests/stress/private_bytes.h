#pragma once
// The private memory of this process, as the soak and the display benchmark report it.
#include <windows.h>
#include <psapi.h>

#include <cstddef>

inline size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // Some platform versions leave PrivateUsage empty; the commit charge is the same figure.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}
