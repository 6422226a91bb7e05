#include "engine/format/indexList.h"

#include "engine/format/indexLine.h"

#include <algorithm>
#include <functional>
#include <new>
#include <type_traits>

static_assert(std::is_trivially_destructible<indexEntry>::value, "entries are freed with their blocks, never one by one");

indexList::~indexList() { clear(); }

char* indexList::room(std::size_t bytes) {
    constexpr std::size_t blockSize = 64 * 1024;
    bytes = (bytes + alignof(indexEntry) - 1) / alignof(indexEntry) * alignof(indexEntry);
    if (bytes > blockLeft) {
        const std::size_t size = std::max(blockSize, bytes);
        blocks.push_back(std::unique_ptr<char[]>(new char[size]));
        blockNext = blocks.back().get();
        blockLeft = size;
    }
    char* at = blockNext;
    blockNext += bytes;
    blockLeft -= bytes;
    return at;
}

void indexList::append(const entryFields& fields) {
    char* at = room(sizeof(indexEntry) + indexEntry::textSize(fields));
    auto* entry = new (at) indexEntry(fields, at + sizeof(indexEntry));
    if (last) {
        last->next = entry;
    } else {
        first = entry;
    }
    last = entry;
    ++entries;
    if (!mapped.load(std::memory_order_acquire)) return;
    if (entries * 2 > slots.size()) {
        mapped.store(false, std::memory_order_release);  // made again, larger, at the next lookup
    } else {
        place(entry);
    }
}

namespace {

std::size_t slotOf(std::string_view name, std::size_t mask) { return std::hash<std::string_view>()(name) & mask; }

}  // namespace

// Into the first free slot from its name's; an entry whose name is there
// already is left out, so that a name finds its first entry.
void indexList::place(indexEntry* entry) const {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = slotOf(entry->name(), mask);; at = (at + 1) & mask) {
        if (!slots[at]) {
            slots[at] = entry;
            return;
        }
        if (slots[at]->name() == entry->name()) return;
    }
}

void indexList::mapNames() const {
    std::lock_guard<std::mutex> hold(mapping);
    if (mapped.load(std::memory_order_relaxed)) return;
    std::size_t size = 16;
    while (size < entries * 2) size *= 2;
    slots.assign(size, nullptr);
    for (indexEntry* e = first; e; e = e->next) place(e);
    mapped.store(true, std::memory_order_release);
}

indexEntry* indexList::find(std::string_view name) const {
    if (!mapped.load(std::memory_order_acquire)) mapNames();
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = slotOf(name, mask); slots[at]; at = (at + 1) & mask) {
        if (slots[at]->name() == name) return slots[at];
    }
    return nullptr;
}

bool indexList::lookup(std::string_view name, std::int32_t& position, std::int32_t& length,
                       std::string& extraText) {
    indexEntry* entry = find(name);
    if (!entry) return false;
    position = entry->position;
    length = entry->length;
    extraText = std::string(entry->extraText().value_or(std::string_view()));
    ++entry->hits;
    return true;
}

bool indexList::writeIndex(std::FILE* out) const {
    std::string block;
    for (const indexEntry* e = first; e; e = e->next) {
        block += formatIndexLine(*e);
        if (block.size() >= 65536 || !e->next) {
            if (std::fwrite(block.data(), 1, block.size(), out) != block.size()) return false;
            block.clear();
        }
    }
    return true;
}

int indexList::checkIndex(logSink& log, const std::string& kindName) const {
    int result = 0;
    for (const indexEntry* e = first; e; e = e->next) {
        const std::string entryName = "--- Index entry " + std::string(e->name());
        if (e->hits == 0) {
            log.report(lineKind::finding, entryName + " has no " + kindName);
            result = 1;
        } else if (e->hits >= 2) {
            log.report(lineKind::finding, entryName + " has multiple " + kindName + "s");
            result = 1;
        }
        if (e->length == 0) log.report(lineKind::finding, entryName + " has zero length");
    }
    return result;
}

// Entries hold nothing to free: their blocks go at once.
void indexList::clear() {
    blocks.clear();
    blockLeft = 0;
    blockNext = nullptr;
    first = last = nullptr;
    entries = 0;
    std::vector<indexEntry*>().swap(slots);
    mapped.store(false, std::memory_order_release);
}
