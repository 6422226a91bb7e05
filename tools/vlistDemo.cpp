// A small window with a VList of 3,000 items scrolled to the middle, for a
// look at the control (scripts/screenshots.sh takes its picture).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/vlist.h"

namespace {

std::vector<std::string> items;
VLBox* listBox = nullptr;

LRESULT CALLBACK ownerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= VLBR_FINDSTRING && message <= VLBR_FINDPERCENT && listBox) {
        vlistBuiltInSource(listBox, message, reinterpret_cast<VLBStruct*>(lParam));
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
    app application(hInstance, nullptr, nCmdShow);
    theAppEnv = &application.env;
    vlistRegister(hInstance);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ownerProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "vlistDemo";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, "vlistDemo", "VList: 3,000 items", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                 320, 260, nullptr, nullptr, hInstance, nullptr);
    HWND control = CreateWindowExA(0, "VList", "", WS_CHILD | WS_VISIBLE | WS_BORDER | 0x1000, 10, 10, 280, 180,
                                   owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(300)), hInstance, nullptr);
    listBox = vlistState(control);
    for (int i = 0; i < 3000; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "Part %04d  SYMBOL%d", i, i * 7 % 1000);
        items.emplace_back(text);
    }
    listBox->strings = new char*[items.size()];
    for (std::size_t i = 0; i < items.size(); ++i) {
        listBox->strings[i] = new char[items[i].size() + 1];
        std::memcpy(listBox->strings[i], items[i].c_str(), items[i].size() + 1);
    }
    listBox->nStrings = static_cast<std::int32_t>(items.size());
    SendMessageA(control, VLB_INITIALIZE, 0, 0);
    SendMessageA(control, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    SendMessageA(control, VLB_SETCURSEL, VLBR_FINDPOS, 1500);
    SetTimer(owner, 1, 8000, [](HWND h, UINT, UINT_PTR, DWORD) { DestroyWindow(h); });
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
