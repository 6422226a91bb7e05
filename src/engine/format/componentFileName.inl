// The collision rule. The last (up to) three characters of the base name are
// an odometer of lower-case letters, the last character the lowest digit.
// The first carry into a digit sets it to "a"; later carries advance it.
#pragma once

#include <algorithm>

template <typename TakenTest>
std::optional<std::string> firstFreeName(const std::string& base, const std::string& ext,
                                         TakenTest taken) {
    std::string stem = base;
    if (!taken(stem + ext)) return stem + ext;
    const std::size_t digits = std::min<std::size_t>(3, stem.size());
    if (digits == 0) return std::nullopt;
    const std::size_t last = stem.size() - 1;
    bool carried[3] = {true, false, false};
    stem[last] = 'a';
    while (taken(stem + ext)) {
        std::size_t k = 0;
        for (;;) {
            char& c = stem[last - k];
            if (!carried[k]) {
                carried[k] = true;
                c = 'a';
                break;
            }
            if (c < 'z') {
                ++c;
                break;
            }
            c = 'a';
            if (++k == digits) return std::nullopt;
        }
    }
    return stem + ext;
}
