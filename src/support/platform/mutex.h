// Waiting for and releasing the mutex that guards the shared buffer table:
// a Win32 mutex handle on Windows; elsewhere a std::timed_mutex (which knows
// no abandoned state).
#pragma once

namespace platform {

enum class waitResult { acquired, abandoned, failed };

waitResult mutexWait(void* handle, unsigned timeoutMs);
bool mutexRelease(void* handle);

}  // namespace platform
