#include "common/winTest.h"

#include "framework/app.h"

void useTestApp() {
    static app application(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL);
    theApp = &application;
    theAppEnv = &application.env;
}

namespace {

std::string staticTextOnce(HWND box) {
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM out) -> BOOL {
            char cls[32] = "", t[512] = "";
            GetClassNameA(child, cls, sizeof cls);
            GetWindowTextA(child, t, sizeof t);
            if (lstrcmpiA(cls, "Static") == 0 && t[0]) *reinterpret_cast<std::string*>(out) = t;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace

std::string messageBoxText(HWND box) {
    std::string text;
    for (int waited = 0; waited < 5000 && text.empty(); waited += 20) {
        text = staticTextOnce(box);
        if (text.empty()) Sleep(20);
    }
    return text;
}

std::thread answerBox(const char* caption, int button, seenBox& seen) {
    return std::thread([caption, button, &seen] {
        for (int tries = 0; tries < 500; ++tries) {
            if (HWND box = FindWindowA("#32770", caption)) {
                char c[64] = "";
                GetWindowTextA(box, c, sizeof c);
                seen = {true, c, messageBoxText(box)};
                PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                return;
            }
            Sleep(20);
        }
    });
}
