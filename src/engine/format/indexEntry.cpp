#include "engine/format/indexEntry.h"

indexEntry::indexEntry(const entryFields& f) : position(f.position), length(f.length) {
    auto sizeOf = [](const std::optional<std::string>& s) { return s ? s->size() : 0; };
    text.reserve(f.name.size() + sizeOf(f.commaPart) + sizeOf(f.semicolonPart) + sizeOf(f.akoName) +
                 sizeOf(f.extraText));
    add(nameSlot, f.name);
    add(commaSlot, f.commaPart);
    add(semicolonSlot, f.semicolonPart);
    add(akoSlot, f.akoName);
    add(extraSlot, f.extraText && !f.extraText->empty() ? f.extraText : std::nullopt);
}

void indexEntry::add(slot s, const std::optional<std::string>& part) {
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
