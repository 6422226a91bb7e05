// One component's entry in the index table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/format/entryFields.h"

// An index table entry. Libraries hold tens of thousands of parts, so an
// entry keeps its five strings in one block: a few dozen bytes a part.
class indexEntry {
public:
    // Copies the name and every part the fields hold, except an empty extra
    // text, which an entry never keeps. Hits start at 0.
    explicit indexEntry(const entryFields& fields);

    std::string_view name() const { return part(nameSlot); }
    std::optional<std::string_view> commaPart() const { return optionalPart(commaSlot); }
    std::optional<std::string_view> semicolonPart() const { return optionalPart(semicolonSlot); }
    std::optional<std::string_view> akoName() const { return optionalPart(akoSlot); }
    std::optional<std::string_view> extraText() const { return optionalPart(extraSlot); }

    std::int32_t position = 0;
    std::int32_t length = 0;
    indexEntry* next = nullptr;
    std::uint32_t hits = 0;

private:
    enum slot { nameSlot, commaSlot, semicolonSlot, akoSlot, extraSlot, slotCount };

    void add(slot s, const std::optional<std::string>& text);
    std::string_view part(slot s) const;
    std::optional<std::string_view> optionalPart(slot s) const;

    std::string text;
    std::uint32_t ends[slotCount] = {};
    std::uint8_t present = 0;
};
