#include "engine/format/componentFile.h"

#include <algorithm>
#include <cstring>

#include "support/fileOps.h"

namespace {

constexpr std::size_t nameTail = 8;

bool isTrailingJunk(char c) {
    return c == ' ' || c == '\t' || c == '\x1a' || c == '\r' || c == '\n';
}

}  // namespace

std::size_t storedLength(const char* text, std::size_t size) {
    std::size_t end = std::min(size, std::strcspn(text, "\r\n"));
    while (end > 0 && isTrailingJunk(text[end - 1])) --end;
    return end;
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

std::optional<std::string> componentFileName(const std::string& name, const libKind& kind) {
    if (name.empty()) return std::nullopt;
    std::string base = name.size() > nameTail ? name.substr(name.size() - nameTail) : name;
    for (char& c : base) {
        if (c == '/' || c == '\\' || c == '+' || c == '.') c = '_';
    }
    return firstFreeName(base, kind.componentExt,
                         [](const std::string& candidate) { return fileOps::writable(candidate); });
}
