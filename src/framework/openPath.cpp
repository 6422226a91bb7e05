// Path work of the file-open dialog: resolving a typed path against the
// current drive and directory, and the 8.3 name rules.
#include <direct.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "framework/mgrOpen.h"
#include "framework/pathText.h"
#include "framework/thunk.h"
#include "support/miscfuns.h"

namespace {

bool isDirectory(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string currentDirectory() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string buffer(size, '\0');
    const DWORD got = GetCurrentDirectoryA(size, buffer.data());
    buffer.resize(got < size ? got : 0);
    return buffer;
}

// Joins and cleans a directory: "/" becomes "\", "." goes, ".." removes the
// component before it. False when ".." climbs above the root.
bool normalise(const std::string& dir, std::string& out) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= dir.size(); ++i) {
        if (i == dir.size() || isPathSeparator(dir[i])) {
            if (part == "..") {
                if (parts.empty()) return false;
                parts.pop_back();
            } else if (!part.empty() && part != ".") {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += dir[i];
        }
    }
    out.clear();
    for (const std::string& p : parts) out += "\\" + p;
    return true;
}

currentPlace systemPlace() { return {currentDirectory(), _getdrive()}; }

placeSource placeNow = systemPlace;

// The current directory, with its drive, split into its root ("C:", or
// "\\server\share" for a network folder) and the rest ("\dir").
void splitRoot(const currentPlace& here, std::string& root, std::string& rest) {
    const std::string dir = withCurrentDrive(here.directory, here.drive);
    std::size_t cut = 0;
    if (dir.size() >= 2 && dir[1] == ':') {
        cut = 2;
    } else if (dir.size() >= 2 && isPathSeparator(dir[0]) && isPathSeparator(dir[1])) {
        const std::size_t server = dir.find_first_of("\\/", 2);
        const std::size_t share = server == std::string::npos ? server : dir.find_first_of("\\/", server + 1);
        cut = share == std::string::npos ? dir.size() : share;
    }
    root = dir.substr(0, cut);
    rest = dir.substr(cut);
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

int resolveWithDirectory(const std::string& dirPart, const std::string& filePart, std::string& full,
                         bool& driveChanged) {
    std::string d = dirPart;
    std::string root, rest;
    splitRoot(placeNow(), root, rest);
    if (d.size() >= 2 && d[1] == ':') {
        const char letter = upper(d[0]);
        if (root.size() != 2 || upper(root[0]) != letter) {
            if (thunkChangeDrive(letter - 'A' + 1) != 0) return 821;
            driveChanged = true;
            splitRoot(placeNow(), root, rest);
        }
        root = std::string(1, letter) + ":";
        d = d.substr(2);
    }
    if (d.empty() || !isPathSeparator(d[0])) d = rest + "\\" + d;
    std::string clean;
    if (!normalise(d, clean)) return 821;
    full = root + clean + "\\" + filePart;
    if (!isDirectory(root + clean + "\\") && !isDirectory(full)) return 821;
    return 0;
}

}  // namespace

std::string currentDirectory100() { return currentDirectory().substr(0, 100); }

placeSource setPlaceSource(placeSource source) {
    const placeSource before = placeNow;
    placeNow = source ? source : systemPlace;
    return before;
}

std::string withCurrentDrive(const std::string& dir, int drive) {
    const bool hasDrive = dir.size() >= 2 && std::isalpha(static_cast<unsigned char>(dir[0])) && dir[1] == ':';
    if (hasDrive || drive < 1) return dir;
    return std::string(1, static_cast<char>('A' + drive - 1)) + ":" + dir;
}

int resolvePath(const char* pathIn, char** fileNameOut, char** fullPathOut) {
    const char* path = pathIn[0] == '~' ? pathIn + 1 : pathIn;
    // Remembered as the dialog remembers folders, at most 100 characters;
    // the way back after a drive change is the whole folder, since a cut one
    // would lead somewhere else.
    const std::string wayBack = currentDirectory();
    const std::string remembered = wayBack.substr(0, 100);
    const char* split = nullptr;
    for (const char* p = path; *p; ++p) {
        if (isPathSeparator(*p) || *p == ':') split = p;
    }
    const std::string filePart = split ? split + 1 : path;
    std::string full;
    int result = 0;
    bool driveChanged = false;
    if (!split) {
        const currentPlace here = placeNow();
        full = withSeparator(withCurrentDrive(here.directory, here.drive)) + filePart;
        for (char& c : full) {
            if (c == '/') c = '\\';
        }
    } else {
        result = resolveWithDirectory(std::string(path, split + 1), filePart, full, driveChanged);
    }
    if (fileNameOut) *fileNameOut = strDup(filePart.c_str());
    if (fullPathOut) *fullPathOut = strDup(full.c_str());
    if (driveChanged) {
        if (remembered.size() >= 2 && remembered[1] == ':') {
            const char root[3] = {remembered[0], ':', '\0'};
            SetCurrentDirectoryA(root);
        }
        if (strCmpNoCase(currentDirectory().substr(0, 100).c_str(), remembered.c_str()) != 0) {
            SetCurrentDirectoryA(wayBack.c_str());
        }
    }
    return result;
}

int checkFileName(const char* path) {
    if (std::strchr(path, ' ')) return 818;
    char* fileName = nullptr;
    const int resolved = resolvePath(path, &fileName, nullptr);
    const std::string name = fileName ? fileName : "";
    delete[] fileName;
    if (resolved != 0) return 821;
    if (name.find_first_of("\"\\/:*<>|+=,?!&()[]") != std::string::npos) return 817;
    const std::size_t dot = name.rfind('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (base.empty()) return 819;
    if (ext.size() > 3) return 815;
    if (base.size() > 8) return 816;
    if (base.find('.') != std::string::npos) return 817;
    return 0;
}
