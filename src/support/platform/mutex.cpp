#include "support/platform/mutex.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <mutex>
#endif

namespace platform {

#ifdef _WIN32

waitResult mutexWait(void* handle, unsigned timeoutMs) {
    switch (WaitForSingleObject(static_cast<HANDLE>(handle), timeoutMs)) {
        case WAIT_OBJECT_0: return waitResult::acquired;
        case WAIT_ABANDONED: return waitResult::abandoned;
        default: return waitResult::failed;
    }
}

bool mutexRelease(void* handle) { return ReleaseMutex(static_cast<HANDLE>(handle)) != 0; }

#else

waitResult mutexWait(void* handle, unsigned timeoutMs) {
    auto* m = static_cast<std::timed_mutex*>(handle);
    return m->try_lock_for(std::chrono::milliseconds(timeoutMs)) ? waitResult::acquired : waitResult::failed;
}

bool mutexRelease(void* handle) {
    static_cast<std::timed_mutex*>(handle)->unlock();
    return true;
}

#endif

}  // namespace platform
