#include "engine/indexEntry.h"

indexEntry::indexEntry(const entryFields& f) {
    text.reserve(f.name.size() + f.akoName.size() + f.extraText.size() +
                 (f.commaPart ? f.commaPart->size() : 0) +
                 (f.semicolonPart ? f.semicolonPart->size() : 0));
    add(nameSlot, &f.name);
    add(commaSlot, f.commaPart);
    add(semicolonSlot, f.semicolonPart);
    add(akoSlot, f.hasAko ? &f.akoName : nullptr);
    add(extraSlot, f.extraText.empty() ? nullptr : &f.extraText);
    position = f.position;
    length = f.length;
}

void indexEntry::add(slot s, const std::string* part) {
    if (part) {
        text += *part;
        present = static_cast<std::uint8_t>(present | (1u << s));
    }
    ends[s] = static_cast<std::uint32_t>(text.size());
}

std::string_view indexEntry::part(slot s) const {
    const std::uint32_t begin = s == nameSlot ? 0 : ends[s - 1];
    return std::string_view(text).substr(begin, ends[s] - begin);
}

std::optional<std::string_view> indexEntry::optionalPart(slot s) const {
    if (!(present & (1u << s))) return std::nullopt;
    return part(s);
}

indexEntry* makeEntry(const entryFields& fields) { return new indexEntry(fields); }
