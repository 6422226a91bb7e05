// Reading one "symloc" line of a library's index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct nameWord {
    std::string name;
    std::optional<std::string> commaPart;
    std::optional<std::string> semicolonPart;
    std::optional<std::string> akoName;
};

// Splits an index name word at its first ",", then at the first ";" after
// that, then at the first ":" after the last split. A separator followed by
// nothing gives a present, empty part.
nameWord splitIndexName(const std::string& word);

struct indexLineFields {
    nameWord word;
    std::int32_t position = 0;
    std::int32_t length = 0;
    std::string extraText;  // up to 100 characters, blanks kept
};

// Reads "TAG NAMEWORD POSITION LENGTH [EXTRA]". Null when the name word, the
// position or the length cannot be read. Numbers beyond the 32-bit range
// saturate at its ends.
std::optional<indexLineFields> parseIndexLine(const std::string& line);

class indexEntry;

// A new index entry (from operator new) for an index line, or null when the
// line cannot be read.
indexEntry* entryFromIndexLine(const std::string& line);
