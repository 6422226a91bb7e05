// vekdrive COMMAND NAME [FIND [ROWS...]]: runs File Expand (4098), Both
// (4097) or Browse (4101) in a running vekwin.exe as a user would (menu, type
// NAME into the dialog, OK), for screenshots of the log and of the Library
// window, in whose find field FIND is typed, and whose list rows ROWS are
// then Ctrl+clicked (a row written +N is Shift+clicked; "edit" presses
// Edit instead). vekdrive save FILE: an "editor" that adds a line to FILE
// and saves it. vekdrive ask TEXT: the question box (see showQuestion).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND waitForWindow(const char* cls, const char* caption) {
    for (int waited = 0; waited < 10000; waited += 50) {
        if (HWND w = FindWindowA(cls, caption)) return w;
        Sleep(50);
    }
    return nullptr;
}

// Wine under Xvfb leaves a message box that has an owner unpainted (black;
// one without an owner paints). For the picture, the program's question is
// read from its box, which is hidden, and shown by another vekdrive process
// in a box of its own ("vekdrive ask TEXT"), which stays until Wine ends.
void showQuestion(HWND question) {
    if (!question) return;
    Sleep(500);
    char text[1024] = "";
    GetDlgItemTextA(question, 0xFFFF, text, sizeof text);
    ShowWindow(question, SW_HIDE);
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string line = std::string("\"") + self + "\" ask \"" + text + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    Sleep(1500);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    if (std::strcmp(argv[1], "ask") == 0) {
        MessageBoxA(nullptr, argv[2], "Edit", MB_OKCANCEL | MB_ICONQUESTION);
        return 0;
    }
    if (std::strcmp(argv[1], "save") == 0) {
        Sleep(1500);  // as a person would, after the window has seen the file
        std::FILE* f = std::fopen(argv[2], "ab");
        if (!f) return 1;
        std::fputs("text 0 -700 \"edited\"\n", f);
        return std::fclose(f) == 0 ? 0 : 1;
    }
    const bool both = std::strcmp(argv[1], "both") == 0;
    const bool browse = std::strcmp(argv[1], "browse") == 0;
    HWND main = waitForWindow("VEKWnd", nullptr);
    if (!main) return 1;
    PostMessageA(main, WM_COMMAND, both ? 4097 : browse ? 4101 : 4098, 0);
    HWND dialog = waitForWindow("#32770", both ? "Expand and Compress" : browse ? "Browse" : "Expand");
    if (!dialog) return 1;
    SendMessageA(GetDlgItem(dialog, 301), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2]));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    for (int waited = 0; waited < 20000 && IsWindow(dialog); waited += 50) Sleep(50);
    if (IsWindow(dialog)) return 1;
    if (browse && argc > 3) {
        HWND library = nullptr;
        for (int waited = 0; waited < 10000 && !library; waited += 50) {
            Sleep(50);
            library = GetLastActivePopup(main);
            if (library == main) library = nullptr;
        }
        if (!library) return 1;
        SendMessageA(GetDlgItem(library, 502), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        HWND rows = GetDlgItem(GetDlgItem(library, 501), 101);
        const int height = static_cast<int>(SendMessageA(rows, LB_GETITEMHEIGHT, 0, 0));
        for (int i = 4; i < argc; ++i) {
            if (std::strcmp(argv[i], "edit") == 0) {
                PostMessageA(library, WM_COMMAND, 514, 0);
                showQuestion(waitForWindow("#32770", "Edit"));
                continue;
            }
            const bool shift = argv[i][0] == '+';
            const LPARAM at = MAKELPARAM(5, std::atoi(argv[i] + (shift ? 1 : 0)) * height + 2);
            const WPARAM keys = shift ? MK_SHIFT | MK_CONTROL : MK_CONTROL;
            SendMessageA(rows, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
            SendMessageA(rows, WM_LBUTTONUP, keys, at);
        }
    }
    return 0;
}
