// browseTiming PROGRAM FOLDER NAME: times the Library window on FOLDER\lib.slb
// as a user meets it: from OK in the Browse dialog to the first page of rows,
// a jump to the last page, typing NAME into the find field until its row is
// selected, and the status line's checksum verdict (from the opening), Find
// in text for NAME, all rows selected and paged through, and the rows shown anew after another writer replaced
// the library; then the program's peak working set. One run; prints "name seconds" lines.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "benchWin.h"

namespace {

std::string textOf(HWND control) {
    char text[300] = "";
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void click(HWND rows, int y, WPARAM keys) {
    SendMessageA(rows, WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(5, y + 2));
    SendMessageA(rows, WM_LBUTTONUP, keys, MAKELPARAM(5, y + 2));
}

void report(const char* what, double start) { std::printf("%s %.3f\n", what, seconds() - start); }

void timeWindow(HWND main, const std::string& folder, const char* name) {
    PostMessageA(main, WM_COMMAND, 4101, 0);
    HWND dialog = waitFor([] {
        HWND d = FindWindowA("#32770", "Browse");
        return d && IsWindowVisible(d) ? d : nullptr;
    });
    if (!dialog) return;
    SendMessageA(GetDlgItem(dialog, 301), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("lib.slb"));
    double start = seconds();
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    const std::string caption = "Library - " + folder + "\\lib.slb";
    HWND library = waitFor([&] { return FindWindowA("#32770", caption.c_str()); }, 60000, 2);
    HWND list = library ? GetDlgItem(library, 501) : nullptr;
    HWND rows = list ? GetDlgItem(list, 101) : nullptr;
    if (!rows || !waitFor([rows] { return SendMessageA(rows, LB_GETCOUNT, 0, 0) > 0; }, 60000, 2)) return;
    report("first-page", start);
    const double opened = start;
    start = seconds();
    SendMessageA(list, 1525, 1633, 0);  // VLB_SETCURSEL, the last item
    report("last-page", start);
    start = seconds();
    SendMessageA(GetDlgItem(library, 502), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    report("find", start);
    // Every row selected by a click on the first and a Shift click on the
    // last, then twenty pages up with all of them selected.
    const auto count = static_cast<int>(SendMessageA(list, 1529, 0, 0));  // VLB_GETCOUNT
    const auto lines = static_cast<int>(SendMessageA(list, 1545, 0, 0));  // VLB_GETLINES
    const auto height = static_cast<int>(SendMessageA(rows, LB_GETITEMHEIGHT, 0, 0));
    SendMessageA(list, 1541, 0, 0);  // VLB_SETTOPINDEX
    click(rows, 0, 0);
    start = seconds();
    SendMessageA(list, 1541, 0, count - lines);
    click(rows, (lines - 1) * height + 2, MK_SHIFT);
    report("select-all", start);
    start = seconds();
    for (int i = 0; i < 20; ++i) SendMessageA(list, WM_VSCROLL, SB_PAGEUP, 0);
    report("20-pages-up-all-selected", start);
    HWND status = GetDlgItem(library, 504);
    if (waitFor([status] { return textOf(status).find("checking") == std::string::npos; }, 600000)) {
        std::printf("checksum-known %.3f (%s)\n", seconds() - opened, textOf(status).c_str());
    }
    // Find in text for NAME (its header line holds it), to the status
    // line's count of the parts found.
    start = seconds();
    PostMessageA(library, WM_COMMAND, 512, 0);
    if (waitFor([status] { return textOf(status).find(" hold \"") != std::string::npos; }, 600000, 2)) {
        report("find-in-text", start);
    }
    // Another writer replaces the library (the same bytes, a new file): to
    // the rows shown anew.
    const std::string lib = folder + "\\lib.slb", copy = folder + "\\lib-copy.slb";
    CopyFileA(lib.c_str(), copy.c_str(), FALSE);
    start = seconds();
    if (MoveFileExA(copy.c_str(), lib.c_str(), MOVEFILE_REPLACE_EXISTING) &&
        waitFor([status] { return textOf(status).find("reloaded") != std::string::npos; }, 60000, 2)) {
        report("reload-after-outside-change", start);
    }
    PostMessageA(library, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: browseTiming PROGRAM FOLDER NAME\n");
        return 2;
    }
    const std::string folder = argv[2];
    std::string line = "vekwin.exe -i \"" + folder + "\\bench.ini\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(argv[1], &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return 1;
    if (HWND main = waitFor([] { return FindWindowA("VEKWnd", nullptr); })) {
        timeWindow(main, folder, argv[3]);
        PROCESS_MEMORY_COUNTERS memory{};
        if (GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory)) {
            std::printf("peak-working-set-MB %.1f\n", static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0);
        }
        PostMessageA(main, WM_COMMAND, 4100, 0);
    }
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
