#include "app/mgrPick.h"

#include <cstring>

#include "framework/app.h"
#include "framework/dialogIds.h"
#include "framework/pathText.h"

namespace {

constexpr int nameSize = 301;  // at most 299 characters read from the edit

std::string fullPath(const char* name) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(name, sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full) : std::string(name);
}

}  // namespace

mgrPick::mgrPick(const char* ext) : mgrOpen(ext, nullptr, nullptr, 0, 1), componentExt(ext) {
    setTemplate("DLGADD");
}

int mgrPick::doAction(int id) {
    if (id == IDOK) return accept(false);
    if (id == IDC_OPEN_DIRS) return accept(true);
    return 1;
}

// The files selected in the list; else the typed name, resolved as the
// dialog resolves every name (it must exist).
int mgrPick::accept(bool fromDirectoryList) {
    const LRESULT selected = SendDlgItemMessageA(hWnd, IDC_OPEN_FILES, LB_GETSELCOUNT, 0, 0);
    if (!fromDirectoryList && selected > 0) {
        std::vector<int> rows(static_cast<std::size_t>(selected));
        SendDlgItemMessageA(hWnd, IDC_OPEN_FILES, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
        for (int row : rows) {
            char entry[MAX_PATH] = "";
            SendDlgItemMessageA(hWnd, IDC_OPEN_FILES, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(entry));
            files.push_back(fullPath(entry));
        }
        return 1;
    }
    char name[nameSize] = "";
    getItemText(IDC_OPEN_NAME, name, nameSize);
    if (!*name) {
        errorBox(1036, 0, nullptr);
        setItemFocus(IDC_OPEN_NAME);
        return 0;
    }
    copyCut(spec.ext, componentExt, sizeof spec.ext);
    if (const int error = resolveEntry(name)) {
        errorBox(error, 0, name);
        return 0;
    }
    if (!spec.name[0] || std::strpbrk(spec.name, "*?")) {
        refresh();
        return 0;
    }
    files.push_back(fullPath((std::string(spec.dir) + spec.name + spec.ext).c_str()));
    return 1;
}

void mgrPick::refresh() {
    char buffer[fileListBufferSize];
    if (!fillFileList(buffer, spec.dir, spec.name, spec.ext, IDC_OPEN_FILES, IDC_OPEN_NAME) ||
        !fillDirList(buffer, spec.dir, spec.name, spec.ext, IDC_OPEN_DIRS, IDC_OPEN_DIR)) {
        errorBox(203, 0, nullptr);
    }
}
