#include "engine/format/componentFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "support/fileOps.h"

namespace {

constexpr std::size_t nameTail = 8;

bool isTrailingJunk(char c) {
    return c == ' ' || c == '\t' || c == '\x1a' || c == '\r' || c == '\n';
}

}  // namespace

std::size_t trimmedLength(const char* text, std::size_t end) {
    while (end > 0 && isTrailingJunk(text[end - 1])) --end;
    return end;
}

std::size_t storedLength(const char* text, std::size_t size) {
    return trimmedLength(text, std::min(size, std::strcspn(text, "\r\n")));
}

std::optional<std::string> storedForm(const std::string& piece) {
    const std::size_t n = storedLength(piece.data(), piece.size());
    if (n == 0) return std::nullopt;
    return piece.substr(0, n);
}

std::string listEntryPath(const std::string& piece) {
    std::string text = piece.substr(0, piece.find('\0'));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text.substr(0, text.find_first_of(" \t"));
}

std::string listPathFor(const std::string& libraryPath) {
    return libraryPath.substr(0, libraryPath.find('.')) + ".lst";
}

bool isDeviceName(const std::string& fileName) {
    const std::string base = fileName.substr(0, fileName.find('.'));
    if (base.size() < 3 || base.size() > 7) return false;
    std::string upper;
    for (char c : base) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == device) return true;
    }
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '0' && upper[3] <= '9';
}

std::string componentBaseName(const std::string& name, const libKind& kind) {
    std::string base = name.size() > nameTail ? name.substr(name.size() - nameTail) : name;
    for (char& c : base) {
        const auto u = static_cast<unsigned char>(c);
        if (std::strchr("/\\+.<>:\"|?*", c) || (u >= 1 && u <= 31)) c = '_';
    }
    return base + kind.componentExt;
}

std::string inFolder(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) return fileName;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + fileName : folder + "/" + fileName;
}

std::optional<std::string> componentFileName(const std::string& name, const libKind& kind, const std::string& folder) {
    if (name.empty()) return std::nullopt;
    const std::string first = componentBaseName(name, kind);
    const std::string base = first.substr(0, first.size() - std::strlen(kind.componentExt));
    return firstFreeName(base, kind.componentExt, [&folder](const std::string& candidate) {
        return isDeviceName(candidate) || fileOps::writable(inFolder(folder, candidate));
    });
}
