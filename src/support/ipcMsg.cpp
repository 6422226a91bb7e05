#include "support/ipcMsg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/assertion.h"

unsigned ipcMsgNumber = 0;

namespace {

const char* const moduleName = "KVLIB\\IPCMSWIN";

// The payload waits in a temporary file named by the shared record; the
// handler gets a private copy holding it, and the file is deleted.
ipcMsg* privateCopy(ipcMsg* shared) {
    auto* copy = static_cast<ipcMsg*>(std::malloc(static_cast<std::size_t>(shared->msgSize) + ipcHeaderSize));
    if (!copy) {
        assertFail("*ipcMsgPP", moduleName, __LINE__);
        return nullptr;
    }
    std::memcpy(copy, shared, ipcHeaderSize);
    copy->body[0] = '\0';
    std::FILE* f = std::fopen(shared->body, "rb");
    if (!f) {
        assertFail("f != -1", moduleName, __LINE__);
    } else {
        const std::size_t got = std::fread(copy->body, 1, static_cast<std::size_t>(shared->msgSize), f);
        (void)got;
        std::fclose(f);
    }
    std::remove(shared->body);
    copy->ipcPtr = shared;
    return copy;
}

}  // namespace

int ipcMsgReceive(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, ipcMsg** record,
                  std::uintptr_t* wParamOut) {
    if (ipcMsgNumber == 0 || message != ipcMsgNumber) return 0;
    auto* shared = static_cast<ipcMsg*>(shareOffsetToPtr(static_cast<std::uintptr_t>(lParam)));
    *record = nullptr;
    if (!shared) {
        assertFail("ipcMsg", moduleName, __LINE__);
        *wParamOut = wParam;
        return 0;
    }
    ipcMsg* handed = shared;
    if (shared->msgSize >= 1) {
        handed = privateCopy(shared);
        if (!handed) return 1;
    }
    if (shared->rtnSize == 0) handed->rtnSize = -1;
    *record = handed;
    *wParamOut = wParam;
    return 1;
}

void ipcMsgDone(ipcMsg* record) {
    if (!record) return;
    if (record->msgSize < 1) {
        if (record->rtnSize == -1) shareBufFree(record);
        return;
    }
    if (record->rtnSize != -1) {
        if (!record->ipcPtr) assertFail("ipcMsg->ipcPtr", moduleName, __LINE__);
        if (record->rtnSize > MAX_KELVMSG_SIZE) {
            assertFail("ipcMsg->rtnSize <= MAX_KELVMSG_SIZE", moduleName, __LINE__);
        }
        if (record->ipcPtr) {
            ipcMsg* shared = record->ipcPtr;
            std::memcpy(shared, record, ipcHeaderSize);
            shared->ipcPtr = nullptr;
        }
    } else {
        shareBufFree(record->ipcPtr);
    }
    std::free(record);
}
