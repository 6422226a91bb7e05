#include "support/textMerge.h"

#include <cstddef>

#include "support/textDiff.h"

namespace {

using lines = std::vector<std::string>;

// For each line of base, the line of other it stays as, or -1 when the
// edit script from base to other removes it.
std::vector<long> matchesOf(const lines& base, const lines& other) {
    std::vector<long> match(base.size(), -1);
    long b = 0, o = 0;
    for (lineEdit e : editScript(base, other)) {
        if (e == lineEdit::same) match[static_cast<std::size_t>(b)] = o;
        if (e != lineEdit::added) ++b;
        if (e != lineEdit::removed) ++o;
    }
    return match;
}

lines slice(const lines& all, long from, long to) {
    return lines(all.begin() + from, all.begin() + to);
}

// Adds merged lines to the last chunk when it holds merged lines too.
void addMerged(std::vector<mergeChunk>& chunks, const lines& more) {
    if (more.empty()) return;
    if (chunks.empty() || chunks.back().conflict) chunks.emplace_back();
    chunks.back().lines.insert(chunks.back().lines.end(), more.begin(), more.end());
}

}  // namespace

std::vector<mergeChunk> mergeLines(const lines& base, const lines& ours, const lines& theirs) {
    const std::vector<long> inOurs = matchesOf(base, ours), inTheirs = matchesOf(base, theirs);
    const long nb = static_cast<long>(base.size());
    std::vector<mergeChunk> chunks;
    long b = 0, o = 0, t = 0;
    while (b < nb || o < static_cast<long>(ours.size()) || t < static_cast<long>(theirs.size())) {
        // Lines that stand unchanged at this point on both sides.
        long stable = b;
        while (stable < nb && inOurs[static_cast<std::size_t>(stable)] == o + (stable - b) &&
               inTheirs[static_cast<std::size_t>(stable)] == t + (stable - b)) {
            ++stable;
        }
        if (stable > b) {
            addMerged(chunks, slice(base, b, stable));
            o += stable - b, t += stable - b, b = stable;
            continue;
        }
        // A changed region: up to the next base line that both sides kept.
        long next = b;
        while (next < nb && (inOurs[static_cast<std::size_t>(next)] < 0 || inTheirs[static_cast<std::size_t>(next)] < 0)) {
            ++next;
        }
        const long oEnd = next < nb ? inOurs[static_cast<std::size_t>(next)] : static_cast<long>(ours.size());
        const long tEnd = next < nb ? inTheirs[static_cast<std::size_t>(next)] : static_cast<long>(theirs.size());
        lines was = slice(base, b, next), mine = slice(ours, o, oEnd), other = slice(theirs, t, tEnd);
        if (mine == was) addMerged(chunks, other);
        else if (other == was || mine == other) addMerged(chunks, mine);
        else chunks.push_back(mergeChunk{true, {}, std::move(mine), std::move(was), std::move(other)});
        b = next, o = oEnd, t = tEnd;
    }
    return chunks;
}

bool hasConflict(const std::vector<mergeChunk>& chunks) {
    for (const mergeChunk& c : chunks) {
        if (c.conflict) return true;
    }
    return false;
}
