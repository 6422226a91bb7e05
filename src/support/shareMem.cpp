#include "support/shareMem.h"

#include "support/assertion.h"
#include "support/platform/mutex.h"

const char* const shareMapFileName = "kelv@mem.tmp";
const char* const shareMutexName = "KelvMemMapMutexName";

unsigned char* baseAddr = nullptr;
std::size_t MemMapTotSize = 0;
unsigned char* data = nullptr;
unsigned char* freeFlags = nullptr;
void* hMutex = nullptr;
int noMutex = 0;

namespace {

const char* const moduleName = "KVLIB\\SHAREMEM";

void require(bool ok, const char* expr, int line) {
    if (!ok) runtimeAssertFail(expr, moduleName, line);
}

}  // namespace

void* shareOffsetToPtr(std::uintptr_t offset) {
    require(baseAddr && offset < MemMapTotSize, "baseAddr && offset < MemMapTotSize", __LINE__);
    return baseAddr + offset;
}

int shareLock(void* mutex, unsigned timeoutMs) {
    if (noMutex) return 1;
    require(mutex != nullptr, "hMutex", __LINE__);
    switch (platform::mutexWait(mutex, timeoutMs)) {
        case platform::waitResult::acquired:
            return 1;
        case platform::waitResult::abandoned:
            require(false, "0", __LINE__);
            return 1;
        default:
            require(false, "0", __LINE__);
            return 0;
    }
}

void shareBufFree(void* ptr) {
    auto* p = static_cast<unsigned char*>(ptr);
    const auto at = reinterpret_cast<std::uintptr_t>(p);
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    require(data && at >= start && at < start + MemMapTotSize, "ptr >= data && ptr < (data + MemMapTotSize)",
            __LINE__);
    if (!shareLock(hMutex, 5000)) return;
    const std::uintptr_t index = (at - start) / SHAREBUF_SIZE;
    require(start + index * SHAREBUF_SIZE == at, "data + index * SHAREBUF_SIZE == ptr", __LINE__);
    require(index <= NumOfEntries, "index >=0 && index <= NumOfEntries", __LINE__);
    freeFlags[index] = 1;
    if (!noMutex && !platform::mutexRelease(hMutex)) require(false, "0", __LINE__);
}
