// The index table that compress fills and expand consults: entries in
// insertion order, with a map from a name to its first entry so that a
// lookup costs the same in a library of ten parts or of a hundred thousand.
// The map is made at the first lookup, not while the index is read: a
// reader that only walks the entries (the Library window, list) never pays
// for it. Each operation owns one; lookups may come from several threads.
#pragma once

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/format/indexEntry.h"
#include "engine/logSink.h"

class indexList {
public:
    indexList() = default;
    indexList(const indexList&) = delete;
    indexList& operator=(const indexList&) = delete;
    ~indexList();

    // Makes an entry of the fields and adds it at the end.
    void append(const entryFields& fields);

    // The first entry, in list order, whose name equals name exactly.
    indexEntry* find(std::string_view name) const;

    // Like find; a found entry hands back its fields and counts one hit.
    bool lookup(std::string_view name, std::int32_t& position, std::int32_t& length,
                std::string& extraText);

    // One index line per entry, in list order. False when a write failed.
    bool writeIndex(std::FILE* out) const;

    // Logs the entries matched by no component, by several, or with length 0,
    // naming the kind with kindName. 1 when any entry had no or several
    // matches, else 0.
    int checkIndex(logSink& log, const std::string& kindName) const;

    void clear();

    indexEntry* first = nullptr;
    indexEntry* last = nullptr;

private:
    void mapNames() const;
    void place(indexEntry* entry) const;
    char* room(std::size_t bytes);

    // The entries and their strings live in large blocks, handed out in
    // order and freed all at once: a library's index is no swarm of small
    // allocations (which the Windows program's small-block heap would walk
    // on every later free).
    std::vector<std::unique_ptr<char[]>> blocks;
    std::size_t blockLeft = 0;
    char* blockNext = nullptr;

    std::size_t entries = 0;
    // Open addressing over the entries (a power of two, at least twice as
    // many slots as entries, null where free): one block, no node per name.
    mutable std::vector<indexEntry*> slots;
    mutable std::atomic<bool> mapped{false};
    mutable std::mutex mapping;
};
