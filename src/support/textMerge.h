// Three-way merge of line sequences, as diff3 and git merge them: the lines
// that neither side changed, and each region that one side changed, are
// taken; a region that both sides changed in different ways is a conflict
// that keeps all three versions of it.
#pragma once

#include <string>
#include <vector>

struct mergeChunk {
    bool conflict = false;
    std::vector<std::string> lines;  // the merged lines, when not a conflict
    std::vector<std::string> ours, base, theirs;  // a conflict's three versions
};

// The merge of ours and theirs, both made from base, in chunks: runs of
// merged lines and conflicts, in order.
std::vector<mergeChunk> mergeLines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                                   const std::vector<std::string>& theirs);

// Whether any chunk is a conflict.
bool hasConflict(const std::vector<mergeChunk>& chunks);
