#include "app/libraryOpener.h"

#include <shellapi.h>

#include <cctype>
#include <vector>

#include "app/busyRun.h"
#include "app/commands.h"
#include "app/vekWnd.h"
#include "framework/app.h"

namespace {

// Marks a hand-over among the WM_COPYDATA a window might receive.
constexpr ULONG_PTR handOverTag = 0x4C4B4556;  // "VEKL"
constexpr DWORD longestPath = 32767;
constexpr UINT retryMs = 250;

// Empty (and holding no memory) whenever nothing waits: its blocks come from
// the small-block heap, which closes before static objects are destroyed.
std::vector<std::string> queued;
bool opening = false;
bool retrying = false;  // a retry timer is set
libraryOpener opener = openLibraryWindow;

std::vector<std::string> words(const char* text) {
    std::vector<std::string> out;
    std::string word;
    bool quoted = false, inWord = false;
    for (const char* p = text; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (*p == ' ' || *p == '\t')) {
            if (inWord) out.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += *p;
            inWord = true;
        }
    }
    if (inWord) out.push_back(word);
    return out;
}

bool startsWithName(const std::string& text, const char* name) {
    for (std::size_t i = 0; name[i]; ++i) {
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != name[i]) return false;
    }
    return true;
}

void openQueued();

void CALLBACK retryTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    retrying = false;
    openQueued();
}

void retryAfter(UINT ms) {
    if (retrying) return;
    retrying = true;
    SetTimer(nullptr, 0, ms, retryTimer);
}

void openSoon(std::int32_t) { openQueued(); }

// The Library window is modal on the main window: it waits while a command
// runs or another dialog holds the window.
void openQueued() {
    if (opening || queued.empty()) return;
    HWND main = theVekWnd ? theVekWnd->hWndGet() : nullptr;
    if (busyRun::active() || (main && !IsWindowEnabled(main))) {
        retryAfter(retryMs);
        return;
    }
    opening = true;
    while (!queued.empty()) {
        const std::string path = queued.front();
        queued.erase(queued.begin());
        opener(path);
    }
    dropQueuedLibraries();
    opening = false;
}

std::string fullPath(const std::string& path) {
    std::string full(longestPath, '\0');
    const DWORD n = GetFullPathNameA(path.c_str(), longestPath, &full[0], nullptr);
    if (n == 0 || n >= longestPath) return path;
    full.resize(n);
    return full;
}

LRESULT takeHandOver(LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != handOverTag || !data->lpData || data->cbData == 0 || data->cbData > longestPath) {
        return FALSE;
    }
    openLibraryLater(std::string(static_cast<const char*>(data->lpData), data->cbData));
    if (theVekWnd) SetForegroundWindow(theVekWnd->hWndGet());
    return TRUE;
}

}  // namespace

std::vector<std::string> droppedFiles(WPARAM wParam) {
    auto drop = reinterpret_cast<HDROP>(wParam);
    std::vector<std::string> files;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        path.resize(DragQueryFileA(drop, i, &path[0], static_cast<UINT>(path.size())));
        if (!path.empty()) files.push_back(path);
    }
    DragFinish(drop);
    return files;
}

std::string libraryArgument(const char* commandLine) {
    const std::vector<std::string> list = words(commandLine ? commandLine : "");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& word = list[i];
        if (word.empty() || (word[0] != '-' && word[0] != '/')) return word;
        const std::string text = word.substr(1);
        for (const char* name : {"i", "ps"}) {
            if (!startsWithName(text, name)) continue;
            if (text.size() == std::char_traits<char>::length(name)) ++i;  // its value is the next word
            break;
        }
    }
    return {};
}

bool handOverLibrary(HWND running, const std::string& path) {
    const std::string full = fullPath(path);
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{handOverTag, static_cast<DWORD>(full.size()), const_cast<char*>(full.data())};
    DWORD_PTR answer = FALSE;
    const LRESULT sent = SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                             SMTO_ABORTIFHUNG, 10000, &answer);
    return sent != 0 && answer == TRUE;
}

bool takeLibraryMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COPYDATA) {
        *result = takeHandOver(lParam);
        return true;
    }
    if (message == WM_DROPFILES) {
        for (const std::string& path : droppedFiles(wParam)) openLibraryLater(path);
        *result = 0;
        return true;
    }
    return false;
}

void openLibraryLater(const std::string& path) {
    queued.push_back(fullPath(path));
    if (opening) return;
    HWND main = theVekWnd ? theVekWnd->hWndGet() : nullptr;
    if (main && startMsgId) {
        PostMessageA(main, startMsgId, 0, reinterpret_cast<LPARAM>(new startRecord{openSoon, 0}));
    } else {
        retryAfter(0);
    }
}

void dropQueuedLibraries() { std::vector<std::string>().swap(queued); }

libraryOpener setLibraryOpener(libraryOpener next) {
    const libraryOpener previous = opener;
    opener = next ? next : openLibraryWindow;
    return previous;
}
