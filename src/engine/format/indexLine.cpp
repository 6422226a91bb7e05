#include "engine/format/indexLine.h"

#include <algorithm>
#include <climits>

namespace {

constexpr std::size_t extraTextMax = 100;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

class scanner {
public:
    // Text after a NUL byte is out of reach, as for any C string.
    explicit scanner(const std::string& text) : s(text), n(std::min(text.size(), text.find('\0'))) {}

    void skipSpace() {
        while (i < n && isSpace(s[i])) ++i;
    }

    bool word(std::string* out) {
        skipSpace();
        std::size_t start = i;
        while (i < n && !isSpace(s[i])) ++i;
        if (i == start) return false;
        if (out) out->assign(s, start, i - start);
        return true;
    }

    bool number(std::int32_t& out) {
        skipSpace();
        bool negative = false;
        if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        std::size_t start = i;
        long long value = 0;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            if (value <= INT_MAX) value = value * 10 + (s[i] - '0');
            ++i;
        }
        if (i == start) return false;
        if (negative) value = -value;
        if (value > INT_MAX) value = INT_MAX;
        if (value < INT_MIN) value = INT_MIN;
        out = static_cast<std::int32_t>(value);
        return true;
    }

    std::string restOfLine(std::size_t max) {
        skipSpace();
        std::size_t start = i;
        while (i < n && i - start < max && s[i] != '\r' && s[i] != '\n') ++i;
        return s.substr(start, i - start);
    }

private:
    const std::string& s;
    std::size_t n;
    std::size_t i = 0;
};

}  // namespace

std::optional<entryFields> parseIndexLine(const std::string& line) {
    scanner scan(line);
    std::string word;
    entryFields fields;
    if (!scan.word(nullptr) || !scan.word(&word)) return std::nullopt;
    if (!scan.number(fields.position) || !scan.number(fields.length)) return std::nullopt;
    std::string extra = scan.restOfLine(extraTextMax);
    if (!extra.empty()) fields.extraText = std::move(extra);
    splitNameWord(word, fields, true);
    return fields;
}

std::string nameWord(const indexEntry& e) {
    std::string word(e.name());
    if (auto comma = e.commaPart()) word.append(",").append(*comma);
    if (auto semi = e.semicolonPart()) word.append(";").append(*semi);
    if (auto ako = e.akoName()) word.append(":").append(*ako);
    return word;
}

std::string formatIndexLine(const indexEntry& e) {
    std::string line = "symloc " + nameWord(e);
    line += " " + std::to_string(e.position) + " " + std::to_string(e.length);
    if (auto extra = e.extraText()) line.append(" ").append(*extra);
    line += "\n";
    return line;
}
