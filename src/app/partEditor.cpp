#include "app/partEditor.h"

#include <shellapi.h>

#include <cstdio>
#include <filesystem>

#include "engine/format/componentFile.h"
#include "support/cfman.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"

namespace {

// The editor the profile names, if any ("" when none).
std::string namedEditor() {
    char buffer[300];
    const char* value = theCfman.readRaw("LIBRARY", "editor", buffer, sizeof buffer, 1);
    return value ? value : "";
}

bool startProgram(const std::string& commandLine) {
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool openInEditor(const std::string& file, HWND owner) {
    const std::string named = namedEditor();
    if (!named.empty()) return startProgram(named + " \"" + file + "\"");
    const auto opened = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return opened > 32 || startProgram("notepad.exe \"" + file + "\"");
}

}  // namespace

std::string partEditor::folder() {
    return platform::fsName(platform::fsPath(fileOps::systemTempDir()) / "vek-edit");
}

partEditor::~partEditor() {
    for (const edit& e : edits) {
        if (!e.kept) fileOps::removeFile(e.file);
    }
    std::error_code ec;
    std::filesystem::remove(platform::fsPath(folder()), ec);  // only when empty
}

bool partEditor::open(const std::string& name, const libKind& kind, const std::string& text,
                      const std::string& library, HWND owner) {
    std::error_code ec;
    std::filesystem::create_directories(platform::fsPath(folder()), ec);
    edit e;
    e.name = name;
    e.file = platform::fsName(platform::fsPath(folder()) / platform::fsPath(componentBaseName(name, kind)));
    std::FILE* f = fileOps::open(e.file, "wb");
    if (!f) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !written) return false;
    e.seen = fileStamp::of(e.file);
    e.library = fileStamp::of(library);
    for (edit& old : edits) {
        if (old.file == e.file) old = e;
    }
    bool known = false;
    for (const edit& old : edits) known = known || old.file == e.file;
    if (!known) edits.push_back(e);
    return openInEditor(e.file, owner);
}

partEditor::edit* partEditor::nextSaved() {
    for (edit& e : edits) {
        const fileStamp now = fileStamp::of(e.file);
        if (now.size >= 0 && !(now == e.seen)) {
            e.seen = now;
            return &e;
        }
    }
    return nullptr;
}
