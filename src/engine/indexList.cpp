#include "engine/indexList.h"

#include "engine/libKind.h"

indexList theIndex;

indexEntry* makeEntry(const entryFields& fields) {
    auto* entry = new indexEntry;
    entry->name = fields.name;
    if (fields.commaPart) entry->commaPart = *fields.commaPart;
    if (fields.semicolonPart) entry->semicolonPart = *fields.semicolonPart;
    if (fields.hasAko) entry->akoName = fields.akoName;
    if (!fields.extraText.empty()) entry->extraText = fields.extraText;
    entry->position = fields.position;
    entry->length = fields.length;
    return entry;
}

indexList::~indexList() { clear(); }

void indexList::append(indexEntry* entry) {
    entry->next = nullptr;
    if (last) {
        last->next = entry;
    } else {
        first = entry;
    }
    last = entry;
    firstByName.emplace(entry->name, entry);
}

indexEntry* indexList::find(const std::string& name) const {
    auto it = firstByName.find(name);
    return it == firstByName.end() ? nullptr : it->second;
}

bool indexList::lookup(const std::string& name, std::int32_t& position, std::int32_t& length,
                       std::string& extraText) {
    indexEntry* entry = find(name);
    if (!entry) return false;
    position = entry->position;
    length = entry->length;
    extraText = entry->extraText.value_or(std::string());
    ++entry->hits;
    return true;
}

std::string formatIndexLine(const indexEntry& e) {
    std::string line = "symloc " + e.name;
    if (e.commaPart) line += "," + *e.commaPart;
    if (e.semicolonPart) line += ";" + *e.semicolonPart;
    if (e.akoName) line += ":" + *e.akoName;
    line += " " + std::to_string(e.position) + " " + std::to_string(e.length);
    if (e.extraText && !e.extraText->empty()) line += " " + *e.extraText;
    line += "\n";
    return line;
}

std::string formatHeader(const indexEntry& e) {
    std::string line = curKeyword + " " + e.name;
    if (e.commaPart) line += "," + *e.commaPart;
    if (e.semicolonPart) line += ";" + *e.semicolonPart;
    if (e.extraText) line += " " + *e.extraText;
    if (e.akoName) line += " ako " + *e.akoName;
    line += "\n";
    return line;
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

int indexList::checkIndex(logSink& log) const {
    int result = 0;
    for (const indexEntry* e = first; e; e = e->next) {
        if (e->hits == 0) {
            log.addLine("--- Index entry " + e->name + " has no " + curKindName);
            result = 1;
        } else if (e->hits >= 2) {
            log.addLine("--- Index entry " + e->name + " has multiple " + curKindName + "s");
            result = 1;
        }
        if (e->length == 0) log.addLine("--- Index entry " + e->name + " has zero length");
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
    firstByName.clear();
}
