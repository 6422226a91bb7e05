#include "engine/indexLine.h"

#include <algorithm>
#include <climits>

#include "engine/header.h"
#include "engine/indexEntry.h"

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

nameWord splitIndexName(const std::string& word) {
    nameWord result;
    std::string* lastPart =
        splitCommaAndSemicolon(word, result.name, result.commaPart, result.semicolonPart);
    const std::size_t colon = lastPart->find(':');
    if (colon != std::string::npos) {
        result.akoName = lastPart->substr(colon + 1);
        lastPart->erase(colon);
    }
    return result;
}

std::optional<indexLineFields> parseIndexLine(const std::string& line) {
    scanner scan(line);
    std::string word;
    indexLineFields fields;
    if (!scan.word(nullptr) || !scan.word(&word)) return std::nullopt;
    if (!scan.number(fields.position) || !scan.number(fields.length)) return std::nullopt;
    fields.extraText = scan.restOfLine(extraTextMax);
    fields.word = splitIndexName(word);
    return fields;
}

indexEntry* entryFromIndexLine(const std::string& line) {
    std::optional<indexLineFields> f = parseIndexLine(line);
    if (!f) return nullptr;
    entryFields e;
    e.name = f->word.name;
    e.commaPart = f->word.commaPart ? &*f->word.commaPart : nullptr;
    e.semicolonPart = f->word.semicolonPart ? &*f->word.semicolonPart : nullptr;
    e.hasAko = f->word.akoName.has_value();
    e.akoName = f->word.akoName.value_or(std::string());
    e.position = f->position;
    e.length = f->length;
    e.extraText = f->extraText;
    return makeEntry(e);
}
