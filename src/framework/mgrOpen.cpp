#include "framework/mgrOpen.h"

#include "framework/pathText.h"

#include <cctype>
#include <cstring>
#include <string>

#include "framework/app.h"
#include "framework/dialogIds.h"
#include "support/assertion.h"

namespace {

const char* const moduleName = "DLGMGR\\SRC\\MGROPEN";
constexpr UINT defaultFilterId = 31605;

bool hasWildcard(const char* name) { return std::strchr(name, '*') || std::strchr(name, '?'); }

}  // namespace

mgrOpen::mgrOpen(const char* defaultExt, const openSpec* given, const char* title, int filterId, int filterIndex)
    : dlgMgr(0), ofn{}, spec{}, file{} {
    if (given) {
        spec = *given;
        if (spec.name[0] && !hasWildcard(spec.name)) {
            copyCut(spec.name, std::string(spec.name) + spec.ext, sizeof spec.name);
            copyCut(file, spec.name, sizeof file);
        }
    } else {
        copyCut(spec.dir, withSeparator(currentDirectory100()), sizeof spec.dir);
        std::strcpy(spec.name, "*");
        copyCut(spec.ext, defaultExt ? defaultExt : "", sizeof spec.ext);
        spec.flags = 0x10;
    }
    buildFilter(filterId);
    ofn.lStructSize = 76;
    ofn.lpstrFilter = szFilterSpec;
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = spec.name;
    ofn.nMaxFileTitle = sizeof spec.name;
    ofn.lpstrInitialDir = spec.dir;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = spec.ext[0] ? spec.ext + 1 : spec.ext;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (spec.flags & 0x02) ofn.Flags |= OFN_NOREADONLYRETURN;
    if (spec.flags & 0x08) ofn.Flags |= OFN_NOCHANGEDIR;
    if (spec.flags & 0x10) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (spec.flags & 0x20) ofn.Flags |= OFN_OVERWRITEPROMPT;
}

mgrOpen::~mgrOpen() { delete[] szFilterSpec; }

// The filter list: "description|pattern|...|" from the string table, the
// bars turned into NULs and a second terminator added.
void mgrOpen::buildFilter(int filterId) {
    szFilterSpec = new (std::nothrow) char[1024]();
    if (!szFilterSpec) {
        assertFail("szFilterSpec", moduleName, 940);
        return;
    }
    const HINSTANCE instance = theAppEnv ? theAppEnv->hInstance : GetModuleHandleA(nullptr);
    const int length = LoadStringA(instance, filterId ? static_cast<UINT>(filterId) : defaultFilterId, szFilterSpec, 1023);
    if (length <= 0 || szFilterSpec[0] == '|') {
        delete[] szFilterSpec;
        szFilterSpec = nullptr;
        return;
    }
    char* cp = szFilterSpec + length;
    if (*(cp - 1) != '|') assertFail("*(cp - 1) == '|'", moduleName, 963);
    cp[0] = '\0';
    for (char* p = cp - 1; p > szFilterSpec; --p) {
        if (*p == '|') *p = '\0';
    }
}

INT_PTR mgrOpen::onInitDialog() {
    setCaption(caption);
    char buffer[fileListBufferSize];
    if (!fillFileList(buffer, spec.dir, spec.name, spec.ext, IDC_OPEN_FILES, IDC_OPEN_NAME) ||
        !fillDirList(buffer, spec.dir, spec.name, spec.ext, IDC_OPEN_DIRS, IDC_OPEN_DIR)) {
        errorBox(203, 0, nullptr);
    }
    setItemFocus(IDC_OPEN_NAME);
    selectAllText(IDC_OPEN_NAME);
    return 0;
}

void mgrOpen::onDirListSelection() {
    char entry[MAX_PATH] = "";
    if (getListSelText(IDC_OPEN_DIRS, entry) < 0) return;
    std::string text = entry;
    const std::size_t n = text.size();
    if (n == 5 && text[0] == '[' && text[1] == '-' && text[3] == '-' && text[4] == ']') {
        text = std::string(1, text[2]) + ":";
    } else if (n >= 2 && text[0] == '[' && text[n - 1] == ']') {
        text = text.substr(1, n - 2) + "\\";
    } else {
        text += "\\";
    }
    text += "*";
    text += spec.ext;
    setItemText(IDC_OPEN_NAME, text.c_str());
}

LRESULT mgrOpen::onCommand(int id, WPARAM code, LPARAM) {
    const auto notification = static_cast<int>(code);
    const bool ok = id == IDOK || (id == IDC_OPEN_FILES && notification == LBN_DBLCLK);
    if (ok) {
        if (!doAction(IDOK)) return 0;
        result = 1;
        endDialog();
        return 1;
    }
    if (id == IDCANCEL) {
        result = 2;
        endDialog();
        return 1;
    }
    if (id == IDC_OPEN_NAME) {
        char text[301];  // at most 299 characters
        getItemText(IDC_OPEN_NAME, text, sizeof text);
        selectListString(IDC_OPEN_FILES, text);
    } else if (id == IDC_OPEN_FILES && notification == LBN_SELCHANGE) {
        doAction(IDC_OPEN_FILES);
    } else if (id == IDC_OPEN_DIRS && notification == LBN_SELCHANGE) {
        onDirListSelection();
    } else if (id == IDC_OPEN_DIRS && notification == LBN_DBLCLK) {
        doAction(IDC_OPEN_DIRS);
    }
    return 0;
}
