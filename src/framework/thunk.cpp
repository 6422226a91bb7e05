#include "framework/thunk.h"

#include <cstdint>

#include "support/assertion.h"

namespace {

const char* const moduleName = "KVLIB\\PSTAT32";

using thunkEntry = DWORD(WINAPI*)(void* buffer, DWORD service, void* translations);
using utRegister = BOOL(WINAPI*)(HANDLE, LPCSTR, LPCSTR, LPCSTR, thunkEntry*, void*, void*);
using utUnRegister = void(WINAPI*)(HANDLE);

int thunkNeeded = 0;
HINSTANCE hInst32 = nullptr;
HMODULE hKernelDLL = nullptr;
thunkEntry thunkProc = nullptr;

// GetProcAddress hands back a generic function pointer; going through
// void* is the documented way to give it its real type.
template <class F>
F procAddress(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void require(bool ok, const char* expr, int line) {
    if (!ok) runtimeAssertFail(expr, moduleName, line);
}

}  // namespace

int thunkInit(HINSTANCE hInst) {
    const DWORD version = GetVersion();
    thunkNeeded = (version & 0x80000000u) && LOBYTE(LOWORD(version)) <= 3 ? 1 : 0;
    if (!thunkNeeded) return 1;
    require(hInst != nullptr, "hInst", 74);
    hInst32 = hInst;
    hKernelDLL = GetModuleHandleA("kernel32.dll");
    auto pFunc = hKernelDLL ? procAddress<utRegister>(hKernelDLL, "UTRegister") : nullptr;
    require(hKernelDLL && pFunc, "hKernelDLL && pFunc", 83);
    std::uint16_t initBuffer[2] = {100, 0};
    const BOOL result = pFunc(hInst, "kelv16.dll", "THUNK16_INIT", "THUNK16_FUNC", &thunkProc, nullptr, initBuffer);
    if (!result) {
        MessageBoxA(nullptr, "Cannot load 'kelv16.dll.\nPlease check your installation.", "Error", 0x2010);
        return 0;
    }
    return result;
}

void thunkExit() {
    if (!thunkNeeded || !thunkProc) return;
    require(hInst32 != nullptr, "hInst32", 126);
    auto pFunc = hKernelDLL ? procAddress<utUnRegister>(hKernelDLL, "UTUnRegister") : nullptr;
    require(hKernelDLL && pFunc, "hKernelDLL && pFunc", 133);
    pFunc(hInst32);
}

int thunkChangeDrive(int drive) {
    if (thunkNeeded) {
        std::int16_t buffer[2] = {static_cast<std::int16_t>(drive & 0xFFFF), 0};
        thunkProc(buffer, 3, nullptr);
        return buffer[1];
    }
    const int number = drive & 0xFFFF;
    if (number < 1 || number > 31) return -1;
    const char root[3] = {static_cast<char>('A' + number - 1), ':', '\0'};
    return SetCurrentDirectoryA(root) ? 0 : -1;
}
