#include "app/mgrVek.h"

#include <cstring>
#include <string>

#include "app/engineCalls.h"
#include "app/resource.h"
#include "framework/app.h"
#include "support/assertion.h"
#include "support/miscfuns.h"

std::int32_t lastLibType = DLG_BUTTON1;

namespace {

const char* const moduleName = "LIBUTILS\\SRC\\MGRVEK";
constexpr int nameSize = 301;  // at most 299 characters read from an edit

void cutAtLastDot(char* name) {
    if (char* dot = std::strrchr(name, '.')) *dot = '\0';
}

bool isPlace(const char* name) {
    return std::strpbrk(name, "*?") || std::strcmp(name, "..") == 0 ||
           (std::strchr(name, ':') && !std::strchr(name, '.'));
}

char* joined(const char* a, const char* b, const char* c) {
    const std::string all = std::string(a) + b + c;
    return strDup(all.c_str());
}

}  // namespace

const char* libraryExtension(int radioId) {
    const libKind* kind = kindForButton(radioId);
    return (kind ? *kind : symbolKind).libraryExt;
}

mgrVek::mgrVek(int mode, const char* defaultExt, const openSpec* given, const char* title)
    : mgrOpen(defaultExt, given, title, 0, 1), compress(mode), libType(lastLibType) {
    if (isCompress()) {
        setTemplate("DLGCOMPRESS");
        std::strcpy(inExt, ".lst");
        std::strcpy(outExt, libraryExtension(libType));
    } else {
        setTemplate(mode == bothLib ? "DLGBOTH" : mode == browseLib ? "DLGBROWSE" : "DLGEXPAND");
        std::strcpy(inExt, libraryExtension(libType));
    }
}

mgrVek::~mgrVek() {
    delete[] inName;
    delete[] outName;
}

INT_PTR mgrVek::onInitDialog() {
    checkItem(libType);
    if (isCompress()) checkItem(IDC_REMOVE);
    if (char* dot = std::strchr(spec.name, '.')) *dot = '\0';
    char output[100];
    strCopyCut(output, spec.name, sizeof output);
    fillLists(IDC_OPEN_FILES, IDC_OPEN_NAME, spec.name, inExt, IDC_OUTPUT_FILES, IDC_OUTPUT_NAME, output, outExt);
    setItemFocus(IDC_OPEN_NAME);
    selectAllText(IDC_OPEN_NAME);
    return 0;
}

void mgrVek::fillLists(int list1, int edit1, char* name1, const char* ext1, int list3, int edit3, char* name3,
                       const char* ext3) {
    if (!(name1 && *name1)) assertFail("buf1 && *buf1", moduleName, 452);
    if (!(!isCompress() || (name3 && *name3))) {
        assertFail("(compress != vekMenu::compressLib) || (buf3 && *buf3)", moduleName, 453);
    }
    char buffer[fileListBufferSize];
    bool ok = fillFileList(buffer, spec.dir, name1, ext1, list1, edit1) != 0;
    if (ok && isCompress()) ok = fillFileList(buffer, spec.dir, name3, ext3, list3, edit3) != 0;
    if (ok) ok = fillDirList(buffer, spec.dir, name1, ext1, IDC_OPEN_DIRS, IDC_OPEN_DIR) != 0;
    if (!ok) errorBox(203, 0, nullptr);
}

LRESULT mgrVek::onCommand(int id, WPARAM code, LPARAM control) {
    if ((id >= DLG_BUTTON1 && id <= DLG_BUTTON3) || id == IDC_OUTPUT_FILES) {
        doAction(id);
        return 0;
    }
    return mgrOpen::onCommand(id, code, control);
}

int mgrVek::doAction(int id) {
    if (id >= DLG_BUTTON1 && id <= DLG_BUTTON3) return onRadio(id);
    if (id == IDC_OPEN_FILES) {
        onListSelection(IDC_OPEN_FILES, IDC_OPEN_NAME, inExt);
        return 1;
    }
    if (id == IDC_OUTPUT_FILES) {
        onListSelection(IDC_OUTPUT_FILES, IDC_OUTPUT_NAME, outExt);
        return 1;
    }
    if (id == IDOK || id == IDC_OPEN_DIRS) return accept();
    return 1;
}

// A new library type changes the extension of the lists. An emptied name
// lists as "*", so the lists stay usable without a report.
int mgrVek::onRadio(int id) {
    std::strcpy(isCompress() ? outExt : inExt, libraryExtension(id));
    char name1[nameSize] = "", name3[nameSize] = "";
    getItemText(IDC_OPEN_NAME, name1, nameSize);
    getItemText(IDC_OUTPUT_NAME, name3, nameSize);
    cutAtLastDot(name1);
    cutAtLastDot(name3);
    if (!*name1) std::strcpy(name1, "*");
    if (isCompress() && !*name3) std::strcpy(name3, "*");
    fillLists(IDC_OPEN_FILES, IDC_OPEN_NAME, name1, inExt, IDC_OUTPUT_FILES, IDC_OUTPUT_NAME, name3, outExt);
    setItemFocus(IDC_OPEN_NAME);
    selectAllText(IDC_OPEN_NAME);
    return 1;
}

void mgrVek::onListSelection(int list, int edit, char* ext) {
    char entry[nameSize] = "";
    if (getListSelText(list, entry) < 0) return;
    setItemText(edit, entry);
    if (char* dot = std::strchr(entry, '.')) {
        strCopyCut(ext, dot, sizeof inExt);
        *dot = '\0';
    }
    strCopyCut(spec.name, entry, sizeof spec.name);
}

int mgrVek::accept() {
    char name1[nameSize] = "", name3[nameSize] = "";
    getItemText(IDC_OPEN_NAME, name1, nameSize);
    if (isCompress()) getItemText(IDC_OUTPUT_NAME, name3, nameSize);
    if (!*name1 || (isCompress() && !*name3)) {
        errorBox(1036, 0, nullptr);
        setItemFocus(IDC_OPEN_NAME);
        return 0;
    }
    if (isPlace(name1) || (isCompress() && isPlace(name3))) return placeBranch(name1, name3);
    int error = resolveEntry(name1);
    if (error) {
        errorBox(error, 0, name1);
        return 0;
    }
    strCopyCut(name1, spec.name, nameSize);
    if (isCompress()) {
        error = resolveEntry(name3);
        if (error) {
            errorBox(error, 0, name3);
            return 0;
        }
        strCopyCut(name3, spec.name, nameSize);
    }
    if (!*name1 || name1[0] == '*' || (isCompress() && (!*name3 || name3[0] == '*'))) {
        refresh(name1, name3);
        return 0;
    }
    return finish(name1, name3);
}

int mgrVek::placeBranch(char* name1, char* name3) {
    bool due = std::strpbrk(name1, "*?") != nullptr;
    strCopyCut(spec.ext, inExt, sizeof spec.ext);
    if (resolveEntry(name1)) return 0;
    strCopyCut(name1, spec.name, nameSize);
    due = due || !*name1 || name1[0] == '*';
    strCopyCut(spec.ext, outExt, sizeof spec.ext);
    if (isCompress()) {
        due = due || std::strpbrk(name3, "*?") != nullptr;
        if (resolveEntry(name3)) return 0;
        strCopyCut(name3, spec.name, nameSize);
        due = due || !*name3 || name3[0] == '*';
    }
    if (due) {
        refresh(name1, name3);
        return 0;
    }
    return finish(name1, name3);
}

void mgrVek::refresh(char* name1, char* name3) {
    fillLists(IDC_OPEN_FILES, IDC_OPEN_NAME, name1, inExt, IDC_OUTPUT_FILES, IDC_OUTPUT_NAME, name3, outExt);
}

int mgrVek::finish(const char* name1, const char* name3) {
    delete[] inName;
    inName = joined(spec.dir, name1, inExt);
    if (isCompress()) {
        delete[] outName;
        outName = joined(spec.dir, name3, outExt);
    }
    libType = isItemChecked(DLG_BUTTON1) ? DLG_BUTTON1 : (isItemChecked(DLG_BUTTON2) ? DLG_BUTTON2 : DLG_BUTTON3);
    lastLibType = libType;
    removeFiles = isItemChecked(IDC_REMOVE);
    return 1;
}

int mgrVek::getResults(openSpec* pData, char* buf1, int size1, char* buf3, int size3, std::int32_t* removeFlag) {
    if (!(pData && buf1 && buf3)) {
        assertFail("pData && buf1 && buf3", moduleName, 411);
        return 1;
    }
    *pData = spec;
    if (inName && *inName) strCopyCut(buf1, inName, static_cast<std::size_t>(size1));
    if (outName && *outName) strCopyCut(buf3, outName, static_cast<std::size_t>(size3));
    buf1[size1 - 1] = '\0';
    buf3[size3 - 1] = '\0';
    if (removeFlag) *removeFlag = removeFiles;
    return libType;
}

vekRequest mgrVek::request() const {
    vekRequest r;
    r.kind = libType;
    r.input = inName ? inName : "";
    r.output = outName ? outName : "";
    r.remove = isCompress() && removeFiles != 0;
    r.name = spec.name;
    return r;
}
