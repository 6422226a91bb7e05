// Line differences of two texts as "diff -u" shows them: the fewest lines
// removed and added (Myers' algorithm), grouped into hunks with three lines
// of context, each hunk headed "@@ -START,COUNT +START,COUNT @@".
#pragma once

#include <string>
#include <vector>

// The lines of text, each without its LF; a last line without LF counts.
std::vector<std::string> splitLines(const std::string& text);

// The fewest lines removed from a and added to b, as a script read from the
// start of both: same takes a line of each, removed one of a, added one of b.
enum class lineEdit { same, removed, added };
std::vector<lineEdit> editScript(const std::vector<std::string>& a, const std::vector<std::string>& b);

// The hunk lines (" ", "-" or "+" before each text line), none when equal.
std::vector<std::string> unifiedHunks(const std::vector<std::string>& a, const std::vector<std::string>& b,
                                      int context = 3);
