// The main window: the menu bar and, as a fixed child, the list box that is
// the output log. Its placement lives in the profile file.
#pragma once

#include <cstdint>

#include "engine/logSink.h"
#include "framework/wnd.h"

class vekMenu;

constexpr int logLimit = 32000;

class vekWnd : public wnd {
public:
    explicit vekWnd(const char* title);
    ~vekWnd() override;

    int addLine(const char* string);
    void clearLog();
    // Paints the log now. While an operation runs, lines are painted at most
    // every 50 ms rather than one by one: paintSoon paints when that time
    // has come.
    void paintLog();
    void paintSoon();

    void onCommand(int group, int item) override;
    void onSysClose(WPARAM wParam) override;
    void saveState() override;
    LRESULT onQueryEndSession() override;
    int queryClose() override;
    ATOM registerClass() override;
    bool onShellMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    vekMenu* menuObj = nullptr;
    std::int32_t nLogChars = 0;
    HWND hWndLog = nullptr;
    const char* iconName = "vekIcon";
    const char* menuName = "MAINMENU";
    const char* accelName = "vekAccel";

private:
    void createLog(int cw, int ch);
    int appendToLog(const char* text, bool select);

    DWORD lastPaint = 0;
    bool logFrozen = false;  // drawing of the log suspended until the next paint
    int selectAtPaint = -1;  // the line to select then: the last one added
};

extern vekWnd* theVekWnd;

// The engine's log sink in the program: each line goes to theVekWnd.
class vekLog : public logSink {
public:
    void addLine(const std::string& line) override;
};
