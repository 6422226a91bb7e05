// The fields of one component as the index names it: what a header line and
// an index line both read into, and what an index entry is made from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct entryFields {
    std::string name;
    std::optional<std::string> commaPart;      // present even when empty
    std::optional<std::string> semicolonPart;  // present even when empty
    std::optional<std::string> akoName;        // present even when empty
    std::optional<std::string> extraText;      // an entry keeps it only when not empty
    std::int32_t position = 0;
    std::int32_t length = 0;
};

// Splits a name word into name, comma part and semicolon part: at its first
// ",", then what follows the comma (or the whole word) at its first ";".
// With akoAfterColon, what follows the last split is split once more at its
// first ":" into the ako name, as index lines write it.
void splitNameWord(const std::string& word, entryFields& into, bool akoAfterColon);
