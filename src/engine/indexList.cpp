#include "engine/indexList.h"

#include "engine/libKind.h"

indexList theIndex;

indexList::~indexList() { clear(); }

void indexList::append(indexEntry* entry) {
    entry->next = nullptr;
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

namespace {

void appendNameWord(std::string& line, const indexEntry& e) {
    line += e.name();
    if (auto comma = e.commaPart()) line.append(",").append(*comma);
    if (auto semi = e.semicolonPart()) line.append(";").append(*semi);
}

}  // namespace

std::string formatIndexLine(const indexEntry& e) {
    std::string line = "symloc ";
    appendNameWord(line, e);
    if (auto ako = e.akoName()) line.append(":").append(*ako);
    line += " " + std::to_string(e.position) + " " + std::to_string(e.length);
    if (auto extra = e.extraText()) line.append(" ").append(*extra);
    line += "\n";
    return line;
}

std::string formatHeader(const indexEntry& e) {
    std::string line = curKeyword + " ";
    appendNameWord(line, e);
    if (auto extra = e.extraText()) line.append(" ").append(*extra);
    if (auto ako = e.akoName()) line.append(" ako ").append(*ako);
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
            log.addLine("--- Index entry " + std::string(e->name()) + " has no " + curKindName);
            result = 1;
        } else if (e->hits >= 2) {
            log.addLine("--- Index entry " + std::string(e->name()) + " has multiple " + curKindName + "s");
            result = 1;
        }
        if (e->length == 0) log.addLine("--- Index entry " + std::string(e->name()) + " has zero length");
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

void indexList::release() {
    clear();
    std::unordered_map<std::string_view, indexEntry*>().swap(firstByName);
}
