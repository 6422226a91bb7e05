#include "engine/format/header.h"

#include <algorithm>
#include <vector>

#include "support/miscfuns.h"

namespace {

constexpr std::size_t wordMax = 100;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The name word (any length), then up to three words of at most 100
// characters each; a longer word runs on into the next slot.
std::vector<std::string> scanWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (words.size() < 4) {
        while (i < n && isSpace(text[i])) ++i;
        const std::size_t start = i;
        const std::size_t limit = words.empty() ? n : std::min(n, start + wordMax);
        while (i < limit && !isSpace(text[i])) ++i;
        if (i == start) break;
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool isAkoWord(const std::string& w) {
    return strCmpNoCase(w.c_str(), "ako") == 0;
}

bool beginsWithAko(const std::string& w) {
    return strNCmpNoCase(w.c_str(), "ako", 3) == 0;
}

std::string beforeNul(const std::string& line) {
    return line.substr(0, line.find('\0'));
}

}  // namespace

std::optional<entryFields> parseHeader(const std::string& rawLine, const std::string& keyword) {
    const std::string line = beforeNul(rawLine);
    const int keyLength = static_cast<int>(keyword.size());
    if (strNCmpNoCase(line.c_str(), keyword.c_str(), keyLength) != 0) return std::nullopt;

    std::vector<std::string> w = scanWords(line.substr(keyword.size()));
    const std::size_t n = w.size();
    w.resize(4);
    if (isAkoWord(w[1])) {
        w[3] = w[2];
        w[2] = "ako";
        w[1].clear();
    }

    entryFields fields;
    std::string extra;
    if (n >= 3 && beginsWithAko(w[2]) && !w[3].empty()) {
        fields.akoName = w[3];
        extra = w[1];
    } else if (n == 3) {
        extra = w[1] + " " + w[2];
    } else if (n == 4) {
        extra = w[1] + " " + w[2] + " " + w[3];
    } else {
        extra = w[1];
    }
    if (!extra.empty()) fields.extraText = extra;
    splitNameWord(w[0], fields, false);
    return fields;
}

std::string formatHeader(const indexEntry& e, const std::string& keyword) {
    std::string line = keyword + " ";
    line += e.name();
    if (auto comma = e.commaPart()) line.append(",").append(*comma);
    if (auto semi = e.semicolonPart()) line.append(";").append(*semi);
    if (auto extra = e.extraText()) line.append(" ").append(*extra);
    if (auto ako = e.akoName()) line.append(" ako ").append(*ako);
    line += "\n";
    return line;
}

std::string componentNameOf(const std::string& rawLine, const std::string& keyword) {
    const std::string line = beforeNul(rawLine);
    std::size_t i = std::min(line.size(), keyword.size() + 1);
    auto isDelimiter = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    while (i < line.size() && isDelimiter(line[i])) ++i;
    std::size_t end = i;
    while (end < line.size() && !isDelimiter(line[end])) ++end;
    std::string word = line.substr(i, end - i);

    std::size_t cut = word.find(',');
    if (cut == std::string::npos) cut = word.find(';');
    if (cut == std::string::npos) cut = word.find(':');
    return word.substr(0, cut);
}
