// The base of every top-level window object. One window procedure, wndProc,
// turns messages into calls of the virtual operations below (kept in the
// order of the framework's table; the unnamed ones are never called).
#pragma once

#include <windows.h>

#include <cstdint>

class wnd {
public:
    wnd(std::int32_t unused1, std::int32_t unused2);
    virtual ~wnd();                                                           // 0
    wnd(const wnd&) = delete;
    wnd& operator=(const wnd&) = delete;

    virtual void onLButtonDown(unsigned x, unsigned y, WPARAM keys);          // 1
    virtual void onRButtonDown(unsigned x, unsigned y, WPARAM keys);          // 2
    virtual void onLButtonUp(unsigned x, unsigned y, WPARAM keys);            // 3
    virtual void onRButtonUp(unsigned x, unsigned y, WPARAM keys);            // 4
    virtual void onMouseMove(unsigned x, unsigned y, WPARAM keys);            // 5
    virtual void onLButtonDouble(unsigned x, unsigned y, WPARAM keys);        // 6
    virtual void onRButtonDouble(unsigned x, unsigned y, WPARAM keys);        // 7
    virtual void onKeyDown(WPARAM wParam, LPARAM lParam);                     // 8
    virtual void onKeyUp(WPARAM wParam, LPARAM lParam);                       // 9
    virtual void onPaint();                                                   // 10
    virtual LRESULT onTimer(WPARAM id);                                       // 11
    virtual void onCommand(int group, int item);                              // 12
    virtual void reserved13(std::int32_t, std::int32_t, std::int32_t);        // 13
    virtual void onSysClose(WPARAM wParam);                                   // 14
    virtual void onHScroll(int code, int position);                           // 15
    virtual void onVScroll(int code, int position);                           // 16
    virtual void onSize(int kind, int* width, int* height);                   // 17
    virtual LRESULT onEndSession();                                           // 18
    virtual void saveState() = 0;                                             // 19
    virtual LRESULT onPaletteChanged(HWND hWndPalette, WPARAM wParam);        // 20
    virtual LRESULT onQueryNewPalette();                                      // 21
    virtual LRESULT onQueryEndSession();                                      // 22
    virtual LRESULT onMove(LPARAM lParam);                                    // 23
    virtual void reserved24(std::int32_t, std::int32_t, std::int32_t, std::int32_t);  // 24
    virtual void reserved25(std::int32_t, std::int32_t);                      // 25
    virtual void reserved26(std::int32_t, std::int32_t);                      // 26
    virtual void onScroll(WPARAM wParam, LPARAM lParam, int vertical);        // 27
    virtual void reserved28(std::int32_t, std::int32_t, std::int32_t);        // 28
    virtual void onSysGroupCommand(int id);                                   // 29
    virtual void onCtrlGroupCommand(int id, int notification, LPARAM control);  // 30
    virtual int reserved31();                                                 // 31
    virtual void reserved32(std::int32_t, std::int32_t);                      // 32
    virtual void reserved33(std::int32_t, std::int32_t, std::int32_t, std::int32_t);  // 33
    virtual void bringToFront();                                              // 34
    virtual void onCreate(HWND hWnd);                                         // 35
    virtual void reserved36();                                                // 36
    virtual int queryClose();                                                 // 37
    virtual void reserved38(std::int32_t, std::int32_t);                      // 38
    virtual void onInitMenu();                                                // 39
    virtual void reserved40(std::int32_t);                                    // 40
    virtual LRESULT onMouseActivate(LPARAM lParam);                           // 41
    virtual void reserved42(std::int32_t);                                    // 42
    virtual void onSysColorChange();                                          // 43
    virtual LRESULT onControlColor(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);  // 44
    virtual LRESULT onVKeyToItem(int controlId, int key, int caret);          // 45
    virtual LRESULT onRenderFormat(WPARAM format);                            // 46
    virtual LRESULT onRenderAllFormats();                                     // 47
    virtual LRESULT onDestroyClipboard();                                     // 48
    virtual int reserved49(std::int32_t);                                     // 49
    virtual ATOM registerClass() = 0;                                         // 50
    // Data handed over by another program (WM_COPYDATA) or files dropped
    // from the shell (WM_DROPFILES): true, with the answer in result, when
    // the window takes the message; else it gets the default handling.
    virtual bool onShellMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND hWndGet() const { return hWnd; }
    void subclass();
    void setTitle(const char* text);
    // Stores this object in the window's extra word and sends WM_CREATE.
    void attach();

    void* ipcHandler = nullptr;
    char* title = nullptr;
    std::int32_t restoringFromIcon = 0;
    HWND hWnd = nullptr;
    HMENU hMenu = nullptr;
    HACCEL hAccel = nullptr;
};

// The handler of inter-process messages a window may carry (none here).
class ipcReceiver {
public:
    virtual ~ipcReceiver() = default;
    virtual void reserved1() {}
    virtual LRESULT handle(std::uintptr_t wParam, void* record) = 0;
};

LRESULT CALLBACK wndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

extern int leftUp;
extern int rightUp;
