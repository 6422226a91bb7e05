// What the Windows timing drivers share: polling for a window or a state,
// and a clock in seconds.
#pragma once

#include <windows.h>

// The probe's first true result, polled every `step` ms for at most ms.
template <class Probe>
auto waitFor(Probe probe, int ms = 30000, int step = 10) -> decltype(probe()) {
    for (int waited = 0; waited < ms; waited += step) {
        if (auto found = probe()) return found;
        Sleep(static_cast<DWORD>(step));
    }
    return probe();
}

inline double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
