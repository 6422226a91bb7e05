// vekwinTiming PROGRAM SOURCE EXPANDED [REPEATS]: times the program's
// Compress and Expand as a user runs them, from the dialog's OK to the log's
// DONE line. SOURCE holds parts.lst and its parts; Compress writes
// SOURCE\lib.slb (parts kept); Expand reads a copy of it in EXPANDED, made
// empty before each run. Prints "program compress S" and "program expand S",
// the best of REPEATS.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "benchWin.h"

namespace {

// True when one of the log's last two lines is the closing DONE line (the
// last one once the log has overflowed, when only DONE is still added).
bool logDone(HWND main) {
    HWND log = GetDlgItem(main, 7701);
    const auto count = static_cast<int>(SendMessageW(log, LB_GETCOUNT, 0, 0));
    for (int row = count - 2; row < count; ++row) {
        wchar_t text[1100] = L"";
        if (row < 0) continue;
        SendMessageW(log, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        if (std::wstring(text).find(L"--- DONE ---") != std::wstring::npos) return true;
    }
    return false;
}

void setText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Runs one command through its dialog; the seconds from OK to DONE, or -1.
double runCommand(HWND main, WPARAM command, const char* caption, const char* input, const char* output) {
    PostMessageA(main, WM_COMMAND, command, 0);
    // Visible once its initialisation has filled it: text set earlier is lost.
    HWND dialog = waitFor([caption] {
        HWND d = FindWindowA("#32770", caption);
        return d && IsWindowVisible(d) ? d : nullptr;
    });
    if (!dialog) return -1;
    setText(dialog, 301, input);
    if (output) {
        setText(dialog, 303, output);
        SendMessageA(GetDlgItem(dialog, 201), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    const double start = seconds();
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (!waitFor([main] { return logDone(main); }, 120000)) {
        HWND log = GetDlgItem(main, 7701);
        const auto count = static_cast<int>(SendMessageW(log, LB_GETCOUNT, 0, 0));
        wchar_t text[1100] = L"";
        SendMessageW(log, LB_GETTEXT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(text));
        std::fprintf(stderr, "%s: no DONE line after 120 s; %d lines, the last: %ls\n", caption, count, text);
        return -1;
    }
    return seconds() - start;
}

// Starts the program in folder, runs one command there and quits it.
double inProgram(const char* program, const std::string& folder, WPARAM command, const char* caption,
                 const char* input, const char* output) {
    std::string line = "vekwin.exe -i \"" + folder + "\\bench.ini\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return -1;
    // The main window of this copy: another copy's would take the commands.
    HWND main = waitFor([&pi] {
        HWND w = FindWindowA("VEKWnd", nullptr);
        DWORD owner = 0;
        if (w) GetWindowThreadProcessId(w, &owner);
        return owner == pi.dwProcessId ? w : nullptr;
    });
    const double taken = main ? runCommand(main, command, caption, input, output) : -1;
    if (main) PostMessageA(main, WM_COMMAND, 4100, 0);
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s: the program did not end\n", caption);
        TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return taken;
}

void emptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: vekwinTiming PROGRAM SOURCE EXPANDED [REPEATS]\n");
        return 2;
    }
    const std::string source = argv[2], expanded = argv[3];
    const int repeats = argc > 4 ? std::atoi(argv[4]) : 3;
    double compress = 1e9, expand = 1e9;
    for (int i = 0; i < repeats; ++i) {
        DeleteFileA((source + "\\lib.slb").c_str());
        const double c = inProgram(argv[1], source, 4099, "Compress", "parts.lst", "lib.slb");
        CreateDirectoryA(expanded.c_str(), nullptr);
        emptyFolder(expanded);
        CopyFileA((source + "\\lib.slb").c_str(), (expanded + "\\lib.slb").c_str(), FALSE);
        const double e = inProgram(argv[1], expanded, 4098, "Expand", "lib.slb", nullptr);
        if (c < 0 || e < 0) return 1;
        compress = c < compress ? c : compress;
        expand = e < expand ? e : expand;
    }
    std::printf("program compress %.2f\nprogram expand %.2f\n", compress, expand);
    return 0;
}

