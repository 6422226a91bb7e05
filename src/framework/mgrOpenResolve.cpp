// Interpreting a typed file name, pattern, folder or drive against the
// dialog's openSpec record.
#include <cctype>
#include <cstring>
#include <string>

#include "framework/mgrOpen.h"
#include "framework/pathText.h"

namespace {

bool endsWith(const std::string& s, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

DWORD attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }
bool exists(const std::string& path) { return attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool isDirectory(const std::string& path) {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// A device name ("con", "lpt1.slb") in any folder: the system makes it
// "\\.\NAME", whatever opening it would do.
bool isDeviceName(const std::string& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n >= 4 && n < MAX_PATH && std::strncmp(full, "\\\\.\\", 4) == 0;
}

// Folders, devices ("nul", "com1") and pipes are not files to open.
bool isRegularFile(const std::string& path) {
    const DWORD a = attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES || (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) return false;
    if (isDeviceName(path)) return false;
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;  // a file held open elsewhere is still a file
    const DWORD type = GetFileType(h);
    CloseHandle(h);
    return type == FILE_TYPE_DISK;
}

// "x\." loses its dot, "x.." gains a backslash, "x\" stays; each of these
// lists its folder: "*" and the default extension are appended.
void directoryForms(std::string& path, const char* ext) {
    bool listing = false;
    if (path.size() > 1 && (endsWith(path, "\\.") || endsWith(path, "/."))) {
        path.pop_back();
        listing = true;
    } else if (endsWith(path, "..")) {
        path += "\\";
        listing = true;
    } else if (!path.empty() && isPathSeparator(path.back())) {
        listing = true;
    }
    if (listing) path += std::string("*") + ext;
}

int accessCheck(std::uint32_t flags, const std::string& path) {
    const DWORD a = attributes(path);
    if ((flags & 0x02) && (a & FILE_ATTRIBUTE_READONLY)) return 208;
    if (flags & 0x01) {
        const std::size_t dot = path.rfind('.');
        const std::string ext = dot == std::string::npos ? "" : path.substr(dot);
        if (_stricmp(ext.c_str(), ".exe") != 0 && _stricmp(ext.c_str(), ".com") != 0 &&
            _stricmp(ext.c_str(), ".bat") != 0) {
            return 208;
        }
    }
    if (flags & 0x04) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return 208;
        CloseHandle(h);
    }
    return 0;
}

}  // namespace

int mgrOpen::resolveEntry(const char* typed) {
    while (*typed == ' ') ++typed;
    if (typed[0] && typed[1] == ':') {
        const int drive = std::toupper(static_cast<unsigned char>(typed[0])) - 64;
        if (!changeDrive(drive)) return 206;
        typed += 2;
        copyCut(spec.dir, withSeparator(currentDirectory100()), sizeof spec.dir);
    }
    std::string path = isPathSeparator(typed[0]) ? std::string(typed) : std::string(spec.dir) + typed;
    directoryForms(path, spec.ext);
    char* fullText = nullptr;
    const int resolved = resolvePath(path.c_str(), nullptr, &fullText);
    std::string full = resolved == 0 && fullText ? fullText : path;
    delete[] fullText;
    if (resolved != 0 && (spec.flags & 0x10)) return resolved;
    if (resolved == 0 && isDirectory(full)) {
        std::strcpy(spec.name, "*");
        copyCut(spec.dir, path + "\\", sizeof spec.dir);
        return 0;
    }
    const std::size_t cut = full.find_last_of("\\/");
    const std::string rest = cut == std::string::npos ? full : full.substr(cut + 1);
    if (cut != std::string::npos) copyCut(spec.dir, full.substr(0, cut) + "\\", sizeof spec.dir);
    const std::size_t dot = rest.rfind('.');
    const bool gaveExt = dot != std::string::npos;
    if (gaveExt) copyCut(spec.ext, rest.substr(dot), sizeof spec.ext);
    copyCut(spec.name, rest.substr(0, dot), sizeof spec.name);
    if (!(spec.flags & 0x10) || std::strchr(spec.name, '*') || std::strchr(spec.name, '?')) return 0;
    if (!exists(full)) {
        if (gaveExt) return 207;
        full += spec.ext;
        char* again = nullptr;
        const int second = resolvePath(full.c_str(), nullptr, &again);
        if (again) full = again;
        delete[] again;
        if (second != 0) return second;
        if (!exists(full)) return 207;
    }
    if (!isRegularFile(full)) return 203;
    const int nameError = checkFileName((std::string(spec.dir) + spec.name + spec.ext).c_str());
    if (nameError != 0) return nameError;
    return accessCheck(spec.flags, full);
}
