// The three-way merge of one part's text: its header line and its other
// lines merged as diff3 merges lines, with what does not merge shown in
// conflict blocks in git's form, inside the part, after its header line. The
// part still begins with a header line of its own name, so that the library
// stays readable and every other part with it:
//  - header lines that conflict: the part keeps ours' header line, and a
//    block of its own right after it shows each side's header line;
//  - a part deleted on one side and changed on the other: the side that
//    kept it gives the header line, and one block holds all its other lines
//    against nothing, the marker of the deleting side saying "(deleted)";
//  - a part added on both sides with different texts: merged as if from a
//    part with no lines, so that every differing line is in a block.
// Inside a block, a line that would begin a part (its kind's keyword first)
// is written with one blank before it.
#pragma once

#include <optional>
#include <string>

struct conflictStyle {
    int markerSize = 7;   // git's %L
    bool diff3 = false;   // a "||||||| base" section in each block
};

// base, ours and theirs: the part's texts (header line first, every line
// ending in LF), or none where it is absent. ours or theirs must be there.
// conflict is set when a block was written.
std::string mergePartTexts(const std::optional<std::string>& base, const std::optional<std::string>& ours,
                           const std::optional<std::string>& theirs, const std::string& keyword,
                           const conflictStyle& style, bool& conflict);
