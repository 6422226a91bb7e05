#include "engine/format/indexEntry.h"

#include <cstring>

namespace {

std::size_t sizeOf(const std::optional<std::string>& s) { return s ? s->size() : 0; }

bool keptExtra(const entryFields& f) { return f.extraText && !f.extraText->empty(); }

}  // namespace

std::size_t indexEntry::textSize(const entryFields& f) {
    return f.name.size() + sizeOf(f.commaPart) + sizeOf(f.semicolonPart) + sizeOf(f.akoName) +
           (keptExtra(f) ? f.extraText->size() : 0);
}

indexEntry::indexEntry(const entryFields& f, char* storage) : position(f.position), length(f.length), text(storage) {
    std::uint32_t used = 0;
    add(nameSlot, f.name, storage, used);
    add(commaSlot, f.commaPart, storage, used);
    add(semicolonSlot, f.semicolonPart, storage, used);
    add(akoSlot, f.akoName, storage, used);
    add(extraSlot, keptExtra(f) ? f.extraText : std::nullopt, storage, used);
}

void indexEntry::add(slot s, const std::optional<std::string>& part, char* storage, std::uint32_t& used) {
    if (part) {
        std::memcpy(storage + used, part->data(), part->size());
        used += static_cast<std::uint32_t>(part->size());
        present = static_cast<std::uint8_t>(present | (1u << s));
    }
    ends[s] = used;
}

std::string_view indexEntry::part(slot s) const {
    const std::uint32_t begin = s == nameSlot ? 0 : ends[s - 1];
    return std::string_view(text + begin, ends[s] - begin);
}

std::optional<std::string_view> indexEntry::optionalPart(slot s) const {
    if (!(present & (1u << s))) return std::nullopt;
    return part(s);
}
