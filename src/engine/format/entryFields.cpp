#include "engine/format/entryFields.h"

void splitNameWord(const std::string& word, entryFields& into, bool akoAfterColon) {
    const std::size_t comma = word.find(',');
    into.name = word.substr(0, comma);
    std::string* last = &into.name;
    if (comma != std::string::npos) {
        into.commaPart = word.substr(comma + 1);
        last = &*into.commaPart;
    }
    const std::size_t semi = last->find(';');
    if (semi != std::string::npos) {
        into.semicolonPart = last->substr(semi + 1);
        last->erase(semi);
        last = &*into.semicolonPart;
    }
    if (!akoAfterColon) return;
    const std::size_t colon = last->find(':');
    if (colon != std::string::npos) {
        into.akoName = last->substr(colon + 1);
        last->erase(colon);
    }
}
