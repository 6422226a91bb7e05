// Drives the built vekwin.exe from outside, as a user would: starts it with a
// profile in a temporary folder, looks at its window and menu, starts a
// second copy, quits through the menu and checks the stored placement.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "common/winTest.h"
#include "engine/format/libKind.h"
#include "engine/ops/compress.h"
#include "engine/ops/inspect.h"
#include "engine/ops/parts.h"
#include "framework/vlist.h"
#include "vekVersion.h"

namespace {

// A path of the build as Windows sees it under Wine.
std::string windowsPath(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path[0] == '\\' ? "Z:" + path : path;
}

std::string programPath() { return windowsPath(VEKWIN_BINARY); }

// Text of another process's control: the wide message is marshalled, and
// read back as UTF-8.
std::string narrow(const wchar_t* text) {
    std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
    out.pop_back();
    return out;
}

std::wstring wide(const std::string& utf8) {
    std::wstring out(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], static_cast<int>(out.size()));
    out.pop_back();
    return out;
}

template <class Probe>
auto waitFor(Probe probe, int ms = 15000) -> decltype(probe()) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (auto found = probe()) return found;
        Sleep(50);
    }
    return probe();
}

class vekwinEndToEnd : public inTempDir {
protected:
    void TearDown() override {
        if (HWND w = FindWindowA("VEKWnd", nullptr)) PostMessageA(w, WM_COMMAND, 4100, 0);
        inTempDir::TearDown();
    }
    // Starts program (vekwin.exe unless named) with args and the folder to
    // start in, both in UTF-8.
    PROCESS_INFORMATION start(const std::string& args, std::string folder = "", std::string program = "") {
        if (program.empty()) program = programPath();
        std::wstring line = wide("\"" + program + "\" " + args);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(CreateProcessW(wide(program).c_str(), &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                   wide(folder.empty() ? dir : folder).c_str(), &si, &pi));
        return pi;
    }
    DWORD finish(PROCESS_INFORMATION& pi) {
        WaitForSingleObject(pi.hProcess, 20000);
        DWORD code = 999;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code;
    }
    HWND mainWindow() {
        return waitFor([] { return FindWindowA("VEKWnd", nullptr); });
    }
    DWORD quit(PROCESS_INFORMATION& pi, HWND w) {
        PostMessageA(w, WM_COMMAND, 4100, 0);
        return finish(pi);
    }
    std::string profile(const char* key) {
        char value[50] = "";
        GetPrivateProfileStringA("Library Expander/Compressor BORDER", key, "", value, sizeof value, ini().c_str());
        return value;
    }
    std::string ini() const { return dir + "\\e2e.ini"; }
};

TEST_F(vekwinEndToEnd, WindowMenuSecondCopyAndPlacement) {
    PROCESS_INFORMATION first = start("-i " + ini());
    HWND w = mainWindow();
    ASSERT_NE(w, nullptr);
    char caption[100] = "";
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ(caption, "Library Expander/Compressor");

    PROCESS_INFORMATION second = start("");
    HWND box = waitFor([] { return FindWindowA("#32770", "Error"); });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), "Can only run one VK at a time.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(finish(second), 1u);
    EXPECT_TRUE(IsWindow(w)) << "the running copy is not disturbed";

    SetWindowPos(w, nullptr, 100, 120, 500, 300, SWP_NOZORDER);
    EXPECT_EQ(quit(first, w), 0u);
    EXPECT_EQ(profile("left") + " " + profile("top") + " " + profile("width") + " " + profile("height") + " " +
                  profile("zoomed"),
              "100 120 500 300 0");

    PROCESS_INFORMATION again = start("-i" + ini());
    w = mainWindow();
    ASSERT_NE(w, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}), std::vector<LONG>({100, 120, 500, 300}));
    ShowWindow(w, SW_MAXIMIZE);
    waitFor([w] { return IsZoomed(w); }, 3000);
    EXPECT_EQ(quit(again, w), 0u);
    EXPECT_EQ(profile("zoomed"), "1");
    EXPECT_EQ(profile("left"), "100") << "a maximised window stores no rectangle";
}

TEST(vekwinResources, MenuAndAccelerators) {
    HMODULE module = LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HMENU bar = LoadMenuA(module, "MAINMENU");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    char text[64];
    GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Help=F1");
    HMENU file = GetSubMenu(bar, 0);
    const struct { UINT id; const char* text; } items[] = {
        {4098, "&Expand...\tCtrl+E"}, {4099, "&Compress...\tCtrl+C"}, {4097, "&Both...\tCtrl+B"},
        {4101, "B&rowse...\tCtrl+L"}, {4100, "E&xit"}};
    ASSERT_EQ(GetMenuItemCount(file), 6);
    for (const auto& item : items) {
        ASSERT_GT(GetMenuStringA(file, item.id, text, sizeof text, MF_BYCOMMAND), 0) << item.id;
        EXPECT_STREQ(text, item.text);
    }
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 5889u);
    HACCEL accel = LoadAcceleratorsA(module, "vekAccel");
    ASSERT_NE(accel, nullptr);
    ACCEL table[8];
    ASSERT_EQ(CopyAcceleratorTableA(accel, table, 8), 5);
    const std::pair<WORD, WORD> keys[] = {{'E', 4098}, {'C', 4099}, {'B', 4097}, {VK_F1, 5889}, {'L', 4101}};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(std::pair(table[i].key, table[i].cmd), keys[i]) << i;
    EXPECT_NE(LoadIconA(module, "vekIcon"), nullptr);
    FreeLibrary(module);
}

std::string manifestOf(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    std::string text;
    if (found) text.assign(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    if (module) FreeLibrary(module);
    return text;
}

// Both programs open paths in any script and long paths; the window program
// draws its controls in the desktop's visual style.
TEST(vekwinResources, ManifestSettings) {
    const std::string settings[] = {
        ">UTF-8</activeCodePage>", ">true</longPathAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""};
    const struct { std::string path; int count; } programs[] = {{programPath(), 3}, {windowsPath(VEK_BINARY), 2}};
    for (const auto& program : programs) {
        const std::string manifest = manifestOf(program.path);
        ASSERT_FALSE(manifest.empty()) << program.path;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(manifest.find(settings[i]) != std::string::npos, i < program.count) << program.path << " " << settings[i];
    }
}

// What Explorer's Properties show: the project's version in both programs.
TEST(vekwinResources, VersionOfBothPrograms) {
    for (const std::string& path : {programPath(), windowsPath(VEK_BINARY)}) {
        std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), nullptr));
        ASSERT_FALSE(info.empty()) << path;
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        for (const char* key : {"FileVersion", "ProductVersion"}) {
            char* value = nullptr;
            UINT length = 0;
            const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
            ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << key;
            EXPECT_STREQ(value, VEK_VERSION) << path << " " << key;
        }
    }
}

std::string controlText(HWND control) {
    wchar_t text[512] = L"";
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return narrow(text);
}

std::vector<std::string> logLines(HWND main) {
    HWND list = GetDlgItem(main, 7701);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        wchar_t text[1100] = L"";
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        lines.push_back(narrow(text));
    }
    return lines;
}

class vekwinCommands : public vekwinEndToEnd {
protected:
    // The command runs its operation after the dialog has gone: wait until
    // the log holds the closing DONE line (the n-th one).
    void waitForDone(HWND main, std::size_t nth = 1, const char* closing = "--- DONE ---") {
        for (int waited = 0; waited < 30000; waited += 50) {
            std::size_t done = 0;
            for (const std::string& line : logLines(main)) {
                if (line.find(closing) != std::string::npos) ++done;
            }
            if (done >= nth) return;
            Sleep(50);
        }
        ADD_FAILURE() << "no " << closing << " line in the log";
    }
    HWND openDialog(HWND main, WPARAM command, const char* caption) {
        PostMessageA(main, WM_COMMAND, command, 0);
        // Visible once its initialisation has filled it: text set earlier is lost.
        return waitFor([caption] {
            HWND d = FindWindowA("#32770", caption);
            return d && IsWindowVisible(d) ? d : nullptr;
        });
    }
    void setText(HWND dlg, int id, const char* text) {
        SendMessageA(GetDlgItem(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    bool closes(HWND dlg, WPARAM button) {
        PostMessageA(dlg, WM_COMMAND, button, 0);
        for (int waited = 0; waited < 15000; waited += 50) {
            if (!IsWindow(dlg)) return true;
            Sleep(50);
        }
        return false;
    }
};

TEST_F(vekwinCommands, CompressExpandAndBothFromTheMenus) {
    writeBytes("and2.sym", "*symbol AND2 ako GATE2\nL1\nL2\n");
    writeBytes("res.sym", "*symbol RES,R1;X resistor part\nL3\n");
    writeBytes("parts.lst", "and2.sym\nres.sym\n");
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    ASSERT_NE(w, nullptr);

    HWND dlg = openDialog(w, 4099, "Compress");
    ASSERT_NE(dlg, nullptr);
    setText(dlg, 301, "parts.lst");
    setText(dlg, 303, "made.slb");
    ASSERT_TRUE(closes(dlg, IDOK));
    waitForDone(w);
    EXPECT_EQ(readBytes("made.slb"), readBytes(dataFile("example.slb")));
    EXPECT_EQ(logLines(w), (std::vector<std::string>{"Compress: got symbol \"AND2\"", "Compress: got symbol \"RES\"",
                                                     "Compress: 2 files processed", "", "Compress: --- DONE ---", ""}));
    EXPECT_FALSE(fileExists("and2.sym")) << "the remove box is checked when the dialog opens";

    dlg = openDialog(w, 4098, "Expand");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(controlText(GetDlgItem(dlg, 301)), "made.slb") << "the last name and the library extension";
    ASSERT_TRUE(closes(dlg, IDOK));
    waitForDone(w);
    EXPECT_TRUE(fileExists("AND2.sym"));
    EXPECT_TRUE(fileExists("made.lst"));
    EXPECT_EQ(logLines(w).front(), "Expand: Writing AND2    to    AND2.sym");
    EXPECT_EQ(logLines(w).size(), 6u);

    dlg = openDialog(w, 4097, "Expand and Compress");
    ASSERT_NE(dlg, nullptr);
    setText(dlg, 301, "made.slb");
    ASSERT_TRUE(closes(dlg, IDOK));
    waitForDone(w, 2);
    EXPECT_EQ(readBytes("made.slb"), readBytes(dataFile("example.slb")));
    EXPECT_FALSE(fileExists("ANDa.sym")) << "both removed the parts it expanded";
    EXPECT_EQ(logLines(w).size(), 12u);

    dlg = openDialog(w, 4098, "Expand");
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(closes(dlg, IDCANCEL));
    EXPECT_TRUE(logLines(w).empty()) << "the log is cleared before the dialog, also on Cancel";
    EXPECT_EQ(quit(p, w), 0u);
}

// Paths and part names in several scripts, as Explorer hands them over:
// vek.exe expands the library; vekwin.exe LIBRARY opens it in the Library
// window, its name, row and text in those scripts; a second start with
// another library gives it to the copy that runs, which opens it next; the
// program's Expand writes the same file names.
TEST_F(vekwinCommands, LibrariesInAnyScriptFromOutside) {
    const std::string folder = dir + "\\Bibliothèk-Ωμ-文字", part = "Ω-R1", partFile = part + ".sym";
    writeBytes("r.sym", "*symbol " + part + " Widerstand 10 kΩ\nL1\n");
    writeBytes("parts.lst", "r.sym\n");
    memoryLog ref;
    ASSERT_EQ(compressLibrary(symbolKind, "parts.lst", "other.slb", false, ref), opResult::done);
    ASSERT_TRUE(CreateDirectoryW(wide(folder).c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(L"other.slb", wide(folder + "\\lib.slb").c_str(), FALSE));
    auto exists = [](const std::string& path) { return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; };

    PROCESS_INFORMATION tool = start("expand -q -o \"" + folder + "\\out\" \"" + folder + "\\lib.slb\"", "", windowsPath(VEK_BINARY));
    EXPECT_EQ(finish(tool), 0u);
    EXPECT_TRUE(exists(folder + "\\out\\" + partFile));
    EXPECT_TRUE(exists(folder + "\\out\\lib.lst"));

    PROCESS_INFORMATION p = start("-i " + ini() + " \"" + folder + "\\lib.slb\"", folder);
    HWND w = mainWindow();
    ASSERT_NE(w, nullptr);
    auto libraryWindow = [](const std::string& path) {
        return waitFor([&] { return FindWindowW(L"#32770", wide("Library - " + path).c_str()); });
    };
    HWND lib = libraryWindow(folder + "\\lib.slb");
    ASSERT_NE(lib, nullptr);
    HWND rows = GetDlgItem(GetDlgItem(lib, 501), 101);
    wchar_t row[200] = L"";
    SendMessageW(rows, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(narrow(row).substr(0, part.size() + 1), part + "\t");
    EXPECT_EQ(controlText(GetDlgItem(lib, 503)), "*symbol " + part + " Widerstand 10 kΩ\r\nL1\r\n");

    PROCESS_INFORMATION second = start("other.slb");
    EXPECT_EQ(finish(second), 0u) << "the running copy took the library";
    ASSERT_TRUE(closes(lib, IDCANCEL));
    lib = libraryWindow(dir + "\\other.slb");
    ASSERT_NE(lib, nullptr) << "and opens it once the first is closed";
    ASSERT_TRUE(closes(lib, IDCANCEL));

    HWND dlg = openDialog(w, 4098, "Expand");
    ASSERT_NE(dlg, nullptr);
    setText(dlg, 301, "lib.slb");
    ASSERT_TRUE(closes(dlg, IDOK));
    waitForDone(w);
    EXPECT_EQ(logLines(w).front(), "Expand: Writing " + part + "    to    " + partFile);
    EXPECT_TRUE(exists(folder + "\\" + partFile));
    EXPECT_EQ(quit(p, w), 0u);
}

// Runs a command on a library of 2,500 parts, waits until the caption shows
// its progress, presses Esc, and waits for the log's closing line.
std::string caption(HWND w) {
    char text[200] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

TEST_F(vekwinCommands, EscStopsALongCompressAndExpand) {
    std::string list;
    for (int i = 0; i < 2500; ++i) {
        const std::string name = "p" + std::to_string(i) + ".sym";
        writeBytes(name, "*symbol P" + std::to_string(i) + "\nL1\nL2\n");
        list += name + "\n";
    }
    writeBytes("big.lst", list);
    memoryLog made;
    ASSERT_EQ(compressLibrary(symbolKind, "big.lst", "big.slb", false, made), opResult::done);
    const std::string library = readBytes("big.slb");
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    ASSERT_NE(w, nullptr);
    for (const char* command : {"Compress", "Expand"}) {
        HWND dlg = openDialog(w, command[0] == 'C' ? 4099 : 4098, command);
        ASSERT_NE(dlg, nullptr);
        setText(dlg, 301, command[0] == 'C' ? "big.lst" : "big.slb");
        if (command[0] == 'C') setText(dlg, 303, "big.slb");
        ASSERT_TRUE(closes(dlg, IDOK));
        const std::string busy = waitFor([&] { return caption(w).find(std::string(" - ") + command) != std::string::npos; }) ? caption(w) : "";
        EXPECT_NE(busy, "") << "the caption shows the progress";
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_BLOCK, 250, &answer), 0) << "the window answers at once";
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
        waitForDone(w, 1, "--- CANCELLED ---");
        EXPECT_EQ(waitFor([&] { return caption(w) == "Library Expander/Compressor"; }, 5000), true);
    }
    EXPECT_EQ(readBytes("big.slb"), library) << "a stopped compress leaves the library";
    EXPECT_TRUE(fileExists("p2499.sym")) << "and removes nothing";
    const std::string listed = readBytes("big.lst");
    const auto written = std::count(listed.begin(), listed.end(), '\n');
    EXPECT_GT(written, 0) << "a stopped expand lists what it wrote";
    EXPECT_LT(written, 2500);

    EXPECT_EQ(quit(p, w), 0u);
}

// The titles of another process's header control, read through memory lent
// in that process: a header's item is not marshalled.
std::vector<std::string> headerTitles(HWND header) {
    DWORD id = 0;
    GetWindowThreadProcessId(header, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    auto* lent = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    std::vector<std::string> titles;
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(lent + 1024);
        item.cchTextMax = 100;
        WriteProcessMemory(process, lent, &item, sizeof item, nullptr);
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(lent));
        wchar_t text[100] = L"";
        ReadProcessMemory(process, lent + 1024, text, sizeof text, nullptr);
        titles.push_back(narrow(text));
    }
    VirtualFreeEx(process, lent, 0, MEM_RELEASE);
    CloseHandle(process);
    return titles;
}

// Sets the width of a header item in another process (not marshalled).
void setHeaderWidth(HWND header, int item, int width) {
    DWORD id = 0;
    GetWindowThreadProcessId(header, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    auto* lent = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    HDITEMW hd{};
    hd.mask = HDI_WIDTH;
    hd.cxy = width;
    WriteProcessMemory(process, lent, &hd, sizeof hd, nullptr);
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(lent));
    VirtualFreeEx(process, lent, 0, MEM_RELEASE);
    CloseHandle(process);
}

// The Library window against the command-line operations on a copy: rows,
// find, text, Extract, Delete and Add byte for byte, a read-only and a held
// library left alone with an error box, Verify into the log.
class vekwinBrowse : public vekwinCommands {
protected:
    // File Browse on a library of the test folder: its Library window.
    HWND openLibrary(HWND main, const char* name) {
        HWND dlg = openDialog(main, 4101, "Browse");
        if (!dlg) return nullptr;
        setText(dlg, 301, name);
        if (!closes(dlg, IDOK)) return nullptr;
        return waitFor([&] { return FindWindowA("#32770", ("Library - " + dir + "\\" + name).c_str()); });
    }
    // A click on row `row` of the Library window's list, with Ctrl or Shift
    // (MK_CONTROL, MK_SHIFT) as keys says.
    static void clickRow(HWND lib, int row, WPARAM keys) {
        HWND rows = GetDlgItem(GetDlgItem(lib, 501), 101);
        const auto height = static_cast<int>(SendMessageA(rows, LB_GETITEMHEIGHT, 0, 0));
        const LPARAM at = MAKELPARAM(5, row * height + 2);
        SendMessageA(rows, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
        SendMessageA(rows, WM_LBUTTONUP, keys, at);
    }
    // lib.slb compressed from src\pN.sym, one file for each text.
    static bool libraryOfParts(const std::vector<std::string>& texts) {
        CreateDirectoryA("src", nullptr);
        std::string names;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string file = "src\\p" + std::to_string(i) + ".sym";
            writeBytes(file, texts[i]);
            names += file + "\n";
        }
        writeBytes("parts.lst", names);
        memoryLog made;
        return compressLibrary(symbolKind, "parts.lst", "lib.slb", false, made) == opResult::done;
    }
};

TEST_F(vekwinBrowse, ListFindTextAndEveryChange) {
    HWND lib = nullptr;
    auto list = [&](UINT message, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(GetDlgItem(lib, 501), message, w, l); };
    auto answer = [this](const char* caption) {
        HWND box = waitFor([caption] { return FindWindowA("#32770", caption); });
        const std::string text = box ? messageBoxText(box) : "no box";
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
    };
    std::vector<std::string> texts;
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i);
        texts.push_back("*symbol P" + n + (i % 3 ? "" : " extra " + n) + "\nL" + n + "\n");
    }
    ASSERT_TRUE(libraryOfParts(texts));
    memoryLog ref;
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(list(VLB_GETCOUNT), 300);
    EXPECT_EQ(headerTitles(GetDlgItem(lib, 509)), (std::vector<std::string>{"Name", "Position", "Length", "Extra text"}));
    memoryLog rows;
    ASSERT_EQ(listLibrary(symbolKind, "lib.slb", rows, ref), opResult::done);
    HWND inner = GetDlgItem(GetDlgItem(lib, 501), 101);
    for (int item : {0, 299, 150}) {
        list(VLB_SETCURSEL, VLBR_FINDPOS, item);
        wchar_t row[200] = L"";
        SendMessageW(inner, LB_GETTEXT, static_cast<WPARAM>(SendMessageW(inner, LB_GETCURSEL, 0, 0)), reinterpret_cast<LPARAM>(row));
        std::string text = narrow(row);
        std::replace(text.begin(), text.end(), '\t', ' ');
        EXPECT_EQ(text, rows.lines[static_cast<std::size_t>(item)]);
        EXPECT_LE(SendMessageW(inner, LB_GETCOUNT, 0, 0), list(VLB_GETLINES) + 1) << "only the visible rows";
    }
    setText(lib, 502, "p15");
    EXPECT_EQ(list(VLB_GETCURSEL), 15);
    std::string printed;
    ASSERT_EQ(printPart(symbolKind, "lib.slb", "P15", printed, ref), opResult::done);
    std::string shown = controlText(GetDlgItem(lib, 503));
    shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());
    EXPECT_EQ(shown, printed);
    setText(lib, 502, "p1");
    PostMessageA(GetDlgItem(lib, 502), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(waitFor([&] { return list(VLB_GETCURSEL) == 10; }, 3000)) << "Enter finds the next";
    setText(lib, 502, "p15");

    CopyFileA("lib.slb", "ref.slb", FALSE);
    CreateDirectoryA("ref", nullptr);
    PostMessageA(lib, WM_COMMAND, 505, 0);
    waitForDone(w, 1, "Extract: Writing P15    to    P15.sym");
    SetCurrentDirectoryA("ref");
    ASSERT_EQ(extractParts(symbolKind, "..\\ref.slb", {"P15"}, ref), opResult::done);
    SetCurrentDirectoryA("..");
    EXPECT_EQ(readBytes("P15.sym"), readBytes("ref\\P15.sym"));

    for (int locked = 0; locked < 4; ++locked) {  // read-only, held, damaged, then free
        const std::string good = readBytes("lib.slb");
        if (locked == 0) setReadOnly("lib.slb", true);
        if (locked == 2) writeBytes("lib.slb", good.substr(0, good.size() - 2) + "X\n");
        HANDLE held = locked == 1 ? CreateFileA("lib.slb", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                                  : INVALID_HANDLE_VALUE;
        const std::string before = readBytes("lib.slb");
        PostMessageA(lib, WM_COMMAND, 507, 0);
        EXPECT_EQ(answer("Delete"), "Delete every part named P15 from the library?");
        if (locked < 3) {
            EXPECT_EQ(answer("Error"), (locked == 2 ? "[233]    The library is damaged (Verify says how and offers Repair), not changed:"
                                                    : "[231]    The library was not changed:") + dir + "\\lib.slb");
            EXPECT_EQ(readBytes("lib.slb"), before);
        }
        if (locked == 2) writeBytes("lib.slb", good);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        setReadOnly("lib.slb", false);
    }
    ASSERT_EQ(deleteParts(symbolKind, "ref.slb", {"P15"}, ref), opResult::done);
    EXPECT_TRUE(waitFor([&] { return list(VLB_GETCOUNT) == 299; }, 5000));
    EXPECT_EQ(readBytes("lib.slb"), readBytes("ref.slb"));
    EXPECT_EQ(list(VLB_GETCURSEL), 15) << "the selection stays where it was";

    PostMessageA(lib, WM_COMMAND, 506, 0);
    HWND pick = waitFor([] { return FindWindowA("#32770", "Add Parts"); });
    ASSERT_NE(pick, nullptr);
    setText(pick, 301, (dir + "\\src\\p15.sym").c_str());
    ASSERT_TRUE(closes(pick, IDOK));
    ASSERT_EQ(addParts(symbolKind, "ref.slb", {"src\\p15.sym"}, ref), opResult::done);
    EXPECT_TRUE(waitFor([&] { return list(VLB_GETCOUNT) == 300; }, 5000));
    EXPECT_EQ(readBytes("lib.slb"), readBytes("ref.slb"));

    PostMessageA(lib, WM_COMMAND, 508, 0);
    waitForDone(w, 1, "Verify: library is clean");
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// Verify finds a library cut short and offers Repair: the repaired library
// goes beside it, the old one untouched, and the window shows the new one.
TEST_F(vekwinBrowse, VerifyOffersRepairBesideTheOldLibrary) {
    const std::string example = readBytes(dataFile("example.slb"));
    const std::string cut = example.substr(0, example.size() - 1);
    writeBytes("lib.slb", cut);
    writeBytes("lib-repaired.slb", "taken\n");
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    PostMessageA(lib, WM_COMMAND, 508, 0);
    HWND box = waitFor([] { return FindWindowA("#32770", "Repair"); });
    ASSERT_NE(box, nullptr);
    const std::string repaired = dir + "\\lib-repaired2.slb";
    EXPECT_EQ(messageBoxText(box), "Verify found damage. Write a repaired library (every part that can be read whole) as " +
                                       repaired + " and show it here? The library stays as it is.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitForDone(w, 1, ("Repair: wrote " + repaired).c_str());
    EXPECT_NE(waitFor([&] { return FindWindowA("#32770", ("Library - " + repaired).c_str()); }), nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(lib, 501), VLB_GETCOUNT, 0, 0), 1);
    const std::vector<std::string> lines = logLines(w);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Verify: cut short inside part RES: vek repair -o NEW LIBRARY keeps "
                                                    "every other part (--keep-cut: this one as far as it goes)"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Repair: lost RES at byte 29 (33 bytes): cut short by the "
                                                    "library's end; --keep-cut keeps its first 31 bytes"),
              lines.end());
    EXPECT_EQ(readBytes("lib.slb"), cut);
    EXPECT_EQ(readBytes("lib-repaired.slb"), "taken\n");
    memoryLog quiet;
    EXPECT_EQ(verifyLibrary(symbolKind, repaired, quiet), 0);
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// The window never stands in another writer's way: a delete from outside,
// then vek.exe add, go through while it shows the library, and the window
// shows the rows anew, the selection kept by name, with a word in its
// status line.
TEST_F(vekwinBrowse, AChangeOutsideIsShownAndKeepsTheSelection) {
    ASSERT_TRUE(libraryOfParts({"*symbol A\nL1\n", "*symbol B\nL2\n", "*symbol RES\nL3\n"}));
    memoryLog outside;
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    auto list = [&](UINT message) { return SendMessageA(GetDlgItem(lib, 501), message, 0, 0); };
    clickRow(lib, 2, 0);
    clickRow(lib, 1, MK_CONTROL);
    ASSERT_EQ(list(VLB_GETCURSEL), 1);
    // Once the checksum is done, only the folder's watch can see a change.
    ASSERT_TRUE(waitFor([&] { return controlText(GetDlgItem(lib, 504)).find("checksum OK") != std::string::npos; }, 5000));
    ASSERT_EQ(deleteParts(symbolKind, "lib.slb", {"A"}, outside), opResult::done) << joinLines(outside.lines);
    EXPECT_TRUE(waitFor([&] { return list(VLB_GETCOUNT) == 2; }, 5000));
    writeBytes("zz.sym", "*symbol ZZ\nL9\n");
    PROCESS_INFORMATION tool = start("add lib.slb zz.sym", "", windowsPath(VEK_BINARY));
    EXPECT_EQ(finish(tool), 0u) << "vek.exe add while the window shows the library";
    EXPECT_TRUE(waitFor([&] { return list(VLB_GETCOUNT) == 3; }, 5000));
    EXPECT_EQ(list(VLB_GETCURSEL), 0) << "B stays selected, and RES";
    EXPECT_NE(controlText(GetDlgItem(lib, 504)).find("; 2 selected; reloaded: the library was changed outside this window"),
              std::string::npos) << controlText(GetDlgItem(lib, 504));
    EXPECT_NE(controlText(GetDlgItem(lib, 503)).find("*symbol B"), std::string::npos);
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// Ctrl and Shift clicks pick several parts: Extract writes each as vek
// extract does, Delete asks once, naming how many, and takes them all out
// in one rewrite.
TEST_F(vekwinBrowse, SeveralPartsAtOnce) {
    std::vector<std::string> texts;
    for (int i = 0; i < 30; ++i) texts.push_back("*symbol P" + std::to_string(i) + "\nL" + std::to_string(i) + "\n");
    ASSERT_TRUE(libraryOfParts(texts));
    CopyFileA("lib.slb", "ref.slb", FALSE);
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    clickRow(lib, 2, 0);
    clickRow(lib, 5, MK_CONTROL);
    clickRow(lib, 8, MK_CONTROL | MK_SHIFT);
    clickRow(lib, 12, MK_CONTROL);
    clickRow(lib, 12, MK_CONTROL);  // and not after all
    EXPECT_NE(controlText(GetDlgItem(lib, 504)).find("; 5 selected"), std::string::npos) << controlText(GetDlgItem(lib, 504));
    const std::vector<std::string> names = {"P2", "P5", "P6", "P7", "P8"};
    PostMessageA(lib, WM_COMMAND, 505, 0);
    waitForDone(w, 1, "Extract: Writing P8    to    P8.sym");
    CreateDirectoryA("ref", nullptr);
    SetCurrentDirectoryA("ref");
    memoryLog ref;
    ASSERT_EQ(extractParts(symbolKind, "..\\ref.slb", names, ref), opResult::done);
    SetCurrentDirectoryA("..");
    for (const std::string& name : names) EXPECT_EQ(readBytes(name + ".sym"), readBytes("ref\\" + name + ".sym")) << name;
    EXPECT_FALSE(std::filesystem::exists("P12.sym"));
    PostMessageA(lib, WM_COMMAND, 507, 0);
    HWND box = waitFor([] { return FindWindowA("#32770", "Delete"); });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), "Delete the 5 selected parts from the library?");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return SendMessageA(GetDlgItem(lib, 501), VLB_GETCOUNT, 0, 0) == 25; }, 5000))
        << joinLines(logLines(w)) << controlText(GetDlgItem(lib, 504));
    ASSERT_EQ(deleteParts(symbolKind, "ref.slb", names, ref), opResult::done);
    EXPECT_EQ(readBytes("lib.slb"), readBytes("ref.slb"));
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// Drops files on a window of another process as the shell does: the
// DROPFILES block in that process's memory (a fixed block is its own
// handle).
void dropOn(HWND window, const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    names += '\0';
    std::string block(sizeof(DROPFILES), '\0');
    reinterpret_cast<DROPFILES*>(&block[0])->pFiles = sizeof(DROPFILES);
    block += names;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    void* lent = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, lent, block.data(), block.size(), nullptr);
    CloseHandle(process);
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(lent), 0);
}

// A part holding a merge's conflict markers is marked in its row and named
// in the status line; Verify lists it, and offers no repair for it.
TEST_F(vekwinBrowse, ConflictMarkersAreInSight) {
    ASSERT_TRUE(libraryOfParts({"*symbol A\nx\n", "*symbol B\n<<<<<<< ours\nL\n=======\nM\n>>>>>>> theirs\n"}));
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    EXPECT_TRUE(waitFor([&] {
        return controlText(GetDlgItem(lib, 504)).find("; 1 part(s) with conflict markers (Verify lists them)") !=
               std::string::npos;
    }, 5000)) << controlText(GetDlgItem(lib, 504));
    SendMessageA(GetDlgItem(lib, 501), VLB_SETCURSEL, VLBR_FINDPOS, 1);
    HWND inner = GetDlgItem(GetDlgItem(lib, 501), 101);
    wchar_t row[200] = L"";
    SendMessageW(inner, LB_GETTEXT, static_cast<WPARAM>(SendMessageW(inner, LB_GETCURSEL, 0, 0)), reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(narrow(row), "B\t12\t50\t[conflict]");
    PostMessageA(lib, WM_COMMAND, 508, 0);
    waitForDone(w, 1, "Verify: 1 finding(s)");
    const std::vector<std::string> lines = logLines(w);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Verify: B: line 2 is a conflict marker left by a merge"), lines.end());
    EXPECT_EQ(FindWindowA("#32770", "Repair"), nullptr);
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// F2 edits the selected part's name over its row; Enter renames it as
// vek rename does (the part keeps its place), Esc leaves it, and a name
// that is taken or that a header can't carry is refused with a box.
TEST_F(vekwinBrowse, RenameInPlace) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    writeBytes("ref.slb", readBytes(dataFile("example.slb")));
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    auto edit = [&](const char* name, WPARAM end) {
        PostMessageA(GetDlgItem(GetDlgItem(lib, 501), 101), WM_KEYDOWN, VK_F2, 0);
        HWND field = waitFor([&] { return GetDlgItem(lib, 511); });
        if (!field) return std::string("no field");
        const std::string shown = controlText(field);
        setText(lib, 511, name);
        PostMessageA(lib, WM_COMMAND, end, 0);
        return shown;
    };
    auto refusal = [this]() {
        HWND box = waitFor([] { return FindWindowA("#32770", "Error"); });
        const std::string text = box ? messageBoxText(box) : "no box";
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
    };
    setText(lib, 502, "RES");
    EXPECT_EQ(edit("R9", IDCANCEL), "RES");
    EXPECT_TRUE(waitFor([&] { return GetDlgItem(lib, 511) == nullptr; }, 3000));
    EXPECT_TRUE(IsWindow(lib)) << "Esc leaves the name, not the window";
    edit("AND2", IDOK);
    EXPECT_EQ(refusal(), "[238]    Another part has that name already:AND2");
    edit("R 9", IDOK);
    EXPECT_EQ(refusal(), "[237]    A part name can't be empty or hold blanks, commas, semicolons or colons:R 9");
    EXPECT_EQ(readBytes("lib.slb"), readBytes("ref.slb"));
    edit("R9", IDOK);
    memoryLog ref;
    ASSERT_EQ(renamePart(symbolKind, "ref.slb", "RES", "R9", false, ref), opResult::done);
    EXPECT_TRUE(waitFor([&] { return readBytes("lib.slb") == readBytes("ref.slb"); }, 5000));
    EXPECT_TRUE(waitFor([&] { return controlText(GetDlgItem(lib, 503)).find("*symbol R9") == 0; }, 5000))
        << "the renamed part stays selected: " << controlText(GetDlgItem(lib, 503));
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// Ctrl+F finds the parts whose text holds the find field's text (as vek
// grep -i -F does), on a thread of its own; F3 goes to the next one.
TEST_F(vekwinBrowse, FindInText) {
    std::vector<std::string> texts;
    for (int i = 0; i < 40; ++i) texts.push_back("*symbol P" + std::to_string(i) + "\nL" + (i % 7 == 3 ? "so8" : "dip") + "\n");
    ASSERT_TRUE(libraryOfParts(texts));
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    auto list = [&](UINT message) { return SendMessageA(GetDlgItem(lib, 501), message, 0, 0); };
    auto status = [&] { return controlText(GetDlgItem(lib, 504)); };
    setText(lib, 502, "SO8");
    PostMessageA(lib, WM_COMMAND, 512, 0);
    EXPECT_TRUE(waitFor([&] { return status().find("; 6 part(s) hold \"SO8\" (F3: the next)") != std::string::npos; }, 5000))
        << status();
    EXPECT_EQ(list(VLB_GETCURSEL), 3);
    HWND inner = GetDlgItem(GetDlgItem(lib, 501), 101);
    for (int expected : {10, 17, 24, 31, 38, 3}) {
        PostMessageA(inner, WM_KEYDOWN, VK_F3, 0);
        EXPECT_TRUE(waitFor([&] { return list(VLB_GETCURSEL) == expected; }, 3000)) << expected;
    }
    setText(lib, 502, "nowhere");
    PostMessageA(lib, WM_COMMAND, 512, 0);
    EXPECT_TRUE(waitFor([&] { return status().find("; no part's text holds \"nowhere\"") != std::string::npos; }, 5000))
        << status();
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// Edit (or Enter on a part): its text in the editor the profile names (here
// one that only starts and ends: the test saves the file); a save is
// offered to the library, put in as vek add puts it. When the library
// changed meanwhile, it is refused, and the edited file stays.
TEST_F(vekwinBrowse, EditInPlace) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    writeBytes("ref.slb", readBytes(dataFile("example.slb")));
    WritePrivateProfileStringA("Library Expander/Compressor LIBRARY", "editor", "cmd.exe /c rem", ini().c_str());
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "vek-edit\\RES.sym";
    DeleteFileA(file.c_str());
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    auto question = [&] {
        HWND box = waitFor([] { return FindWindowA("#32770", "Edit"); });
        const std::string text = box ? messageBoxText(box) : "no box";
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
    };
    setText(lib, 502, "RES");
    PostMessageA(lib, WM_COMMAND, 514, 0);
    ASSERT_TRUE(waitFor([&] { return readBytes(file) == "*symbol RES,R1;X resistor part\nL3\n"; }, 5000));
    writeBytes(file, "*symbol RES,R1;X resistor part\nL3 edited\n");
    EXPECT_EQ(question(), "RES was changed in " + file + ". Put the change into the library?");
    writeBytes("edited.sym", readBytes(file));
    memoryLog ref;
    ASSERT_EQ(addParts(symbolKind, "ref.slb", {"edited.sym"}, ref), opResult::done);
    EXPECT_TRUE(waitFor([&] { return readBytes("lib.slb") == readBytes("ref.slb"); }, 5000));

    PostMessageA(lib, WM_COMMAND, 514, 0);
    Sleep(600);
    ASSERT_EQ(deleteParts(symbolKind, "lib.slb", {"AND2"}, ref), opResult::done);
    const std::string changed = readBytes("lib.slb");
    writeBytes(file, "*symbol RES,R1;X resistor part\nL3 again\n");
    EXPECT_EQ(question(), "RES was changed in " + file + ". Put the change into the library?");
    HWND box = waitFor([] { return FindWindowA("#32770", "Error"); });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), "[239]    The library changed since the part was opened; the edited file stays:" + file);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(readBytes("lib.slb"), changed);
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(readBytes(file), "*symbol RES,R1;X resistor part\nL3 again\n") << "a change not put in stays";
    EXPECT_EQ(quit(p, w), 0u);
    DeleteFileA(file.c_str());
}

// Part files dropped on the Library window are added, as vek add does.
TEST_F(vekwinBrowse, DroppedPartFilesAreAdded) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    writeBytes("ref.slb", readBytes(dataFile("example.slb")));
    writeBytes("new.sym", "*symbol NEW one\nL9\n");
    writeBytes("and2.sym", "*symbol AND2 changed\nL8\n");
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    dropOn(lib, {dir + "\\new.sym", dir + "\\and2.sym"});
    EXPECT_TRUE(waitFor([&] { return SendMessageA(GetDlgItem(lib, 501), VLB_GETCOUNT, 0, 0) == 3; }, 5000));
    memoryLog ref;
    ASSERT_EQ(addParts(symbolKind, "ref.slb", {"new.sym", "and2.sym"}, ref), opResult::done);
    EXPECT_EQ(readBytes("lib.slb"), readBytes("ref.slb"));
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

// The window grows, and its size and columns are there again next time,
// under keys of its own in the profile file.
TEST_F(vekwinBrowse, SizeAndColumnsAreRemembered) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    SetWindowPos(lib, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    RECT list{}, text{};
    GetWindowRect(GetDlgItem(lib, 501), &list);
    GetWindowRect(GetDlgItem(lib, 503), &text);
    EXPECT_GT(text.right - list.left, 600) << "list and text pane grow with the window";
    setHeaderWidth(GetDlgItem(lib, 509), 0, 200);
    EXPECT_TRUE(closes(lib, IDCANCEL));
    auto saved = [this](const char* key) {
        char value[50] = "";
        GetPrivateProfileStringA("Library Expander/Compressor LIBRARY", key, "", value, sizeof value, ini().c_str());
        return std::string(value);
    };
    EXPECT_EQ(saved("width") + " " + saved("height") + " " + saved("zoomed"), "700 450 0");
    const std::string columns = saved("columns");
    EXPECT_NE(columns.rfind("84,", 0), 0u) << "the first divider moved: " << columns;
    lib = openLibrary(w, "lib.slb");
    ASSERT_NE(lib, nullptr);
    RECT r{};
    GetWindowRect(lib, &r);
    EXPECT_EQ(std::vector<LONG>({r.right - r.left, r.bottom - r.top}), std::vector<LONG>({700, 450}));
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(saved("columns"), columns);
    EXPECT_EQ(quit(p, w), 0u);
}

// A change to a large library shows its progress in the status line, and
// Esc stops it with the library as it was.
TEST_F(vekwinBrowse, EscStopsADeleteInALargeLibrary) {
    const std::string library = numberedLibrary(200000);
    writeBytes("big.slb", library);
    PROCESS_INFORMATION p = start("-i " + ini());
    HWND w = mainWindow();
    HWND lib = openLibrary(w, "big.slb");
    ASSERT_NE(lib, nullptr);
    PostMessageA(lib, WM_COMMAND, 507, 0);
    PostMessageA(waitFor([] { return FindWindowA("#32770", "Delete"); }), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return controlText(GetDlgItem(lib, 504)).rfind("Delete ", 0) == 0; }));
    PostMessageA(GetDlgItem(lib, 502), WM_KEYDOWN, VK_ESCAPE, 0);
    waitForDone(w, 1, "Delete: --- CANCELLED ---");
    EXPECT_EQ(readBytes("big.slb"), library) << "a stopped delete leaves the library";
    EXPECT_TRUE(closes(lib, IDCANCEL));
    EXPECT_EQ(quit(p, w), 0u);
}

}  // namespace
