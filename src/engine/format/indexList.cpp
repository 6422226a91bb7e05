#include "engine/format/indexList.h"

#include "engine/format/indexLine.h"

indexList::~indexList() { clear(); }

void indexList::append(const entryFields& fields) {
    auto* entry = new indexEntry(fields);
    if (last) {
        last->next = entry;
    } else {
        first = entry;
    }
    last = entry;
    firstByName.emplace(entry->name(), entry);
}

indexEntry* indexList::find(std::string_view name) const {
    auto it = firstByName.find(name);
    return it == firstByName.end() ? nullptr : it->second;
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

void indexList::clear() {
    indexEntry* e = first;
    while (e) {
        indexEntry* next = e->next;
        delete e;
        e = next;
    }
    first = last = nullptr;
    std::unordered_map<std::string_view, indexEntry*>().swap(firstByName);
}
