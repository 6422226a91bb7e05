// One "symloc" line of a library's index: how it is read and written.
#pragma once

#include <optional>
#include <string>

#include "engine/format/entryFields.h"
#include "engine/format/indexEntry.h"

// Reads "TAG NAMEWORD POSITION LENGTH [EXTRA]": the name word split at its
// first ",", then the first ";" after that, then the first ":" after the last
// split; the extra text up to 100 characters, blanks kept, absent when
// nothing follows. Null when the name word, the position or the length
// cannot be read. Numbers beyond the 32-bit range saturate at its ends.
std::optional<entryFields> parseIndexLine(const std::string& line);

// "symloc NAME[,comma][;semi][:ako] POS LEN[ EXTRA]" with its LF.
std::string formatIndexLine(const indexEntry& entry);

// The line's name word: the name with its comma, semicolon and ako parts.
std::string nameWord(const indexEntry& entry);
