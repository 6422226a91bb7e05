// The index table that compress fills and expand consults: entries in
// insertion order, with a map from a name to its first entry so that a
// lookup costs the same in a library of ten parts or of a hundred thousand.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/indexEntry.h"
#include "engine/logSink.h"

class indexList {
public:
    indexList() = default;
    indexList(const indexList&) = delete;
    indexList& operator=(const indexList&) = delete;
    ~indexList();

    // Takes ownership of an entry made with makeEntry and adds it at the end.
    void append(indexEntry* entry);

    // The first entry, in list order, whose name equals name exactly.
    indexEntry* find(std::string_view name) const;

    // Like find; a found entry hands back its fields and counts one hit.
    bool lookup(std::string_view name, std::int32_t& position, std::int32_t& length,
                std::string& extraText);

    // One index line per entry, in list order. False when a write failed.
    bool writeIndex(std::FILE* out) const;

    // Logs the entries matched by no component, by several, or with length 0.
    // Returns 1 when any entry had no or several matches, else 0.
    int checkIndex(logSink& log) const;

    void clear();
    // clear(), and gives back the name map's own storage too (for a program
    // that closes its heap before static objects are destroyed).
    void release();

    indexEntry* first = nullptr;
    indexEntry* last = nullptr;

private:
    // Keys view the names inside the entries, which live until clear().
    std::unordered_map<std::string_view, indexEntry*> firstByName;
};

// The one index table of the process.
extern indexList theIndex;

// "symloc NAME[,comma][;semi][:ako] POS LEN[ EXTRA]" with its LF.
std::string formatIndexLine(const indexEntry& entry);

// The header line of an entry in its written form, with curKeyword and LF.
std::string formatHeader(const indexEntry& entry);
