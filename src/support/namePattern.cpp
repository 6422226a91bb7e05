#include "support/namePattern.h"

#include <cstddef>

namespace {

// Matches the set that starts at pattern[p] ("[") against c; p moves past
// it. An unclosed "[" is a plain character.
bool matchSet(const std::string& pattern, std::size_t& p, char c) {
    std::size_t q = p + 1;
    const bool negated = q < pattern.size() && (pattern[q] == '!' || pattern[q] == '^');
    if (negated) ++q;
    bool found = false;
    const std::size_t first = q;
    while (q < pattern.size() && (pattern[q] != ']' || q == first)) {
        if (q + 2 < pattern.size() && pattern[q + 1] == '-' && pattern[q + 2] != ']') {
            found = found || (pattern[q] <= c && c <= pattern[q + 2]);
            q += 3;
        } else {
            found = found || pattern[q] == c;
            ++q;
        }
    }
    if (q >= pattern.size()) {
        ++p;
        return c == '[';
    }
    p = q + 1;
    return found != negated;
}

}  // namespace

bool isNamePattern(const std::string& text) { return text.find_first_of("*?[") != std::string::npos; }

bool matchesPattern(const std::string& pattern, const std::string& name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            std::size_t next = p;
            bool ok = false;
            if (pattern[p] == '?') {
                ok = true;
                next = p + 1;
            } else if (pattern[p] == '[') {
                ok = matchSet(pattern, next, name[n]);
            } else {
                ok = pattern[p] == name[n];
                next = p + 1;
            }
            if (ok) {
                p = next;
                ++n;
                continue;
            }
        }
        if (starP == std::string::npos) return false;
        p = starP;
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
