// One component's entry in the index table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/format/entryFields.h"

// An index table entry. Libraries hold tens of thousands of parts, so an
// entry keeps its five strings in one block, which its index table gives it
// beside the entry: a few dozen bytes a part, and no allocation of its own.
class indexEntry {
public:
    // The bytes the strings of fields take in an entry.
    static std::size_t textSize(const entryFields& fields);
    // Copies the name and every part the fields hold, except an empty extra
    // text, which an entry never keeps, into storage (textSize(fields)
    // bytes that outlive the entry). Hits start at 0.
    indexEntry(const entryFields& fields, char* storage);
    indexEntry(const indexEntry&) = delete;
    indexEntry& operator=(const indexEntry&) = delete;

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

    void add(slot s, const std::optional<std::string>& text, char* storage, std::uint32_t& used);
    std::string_view part(slot s) const;
    std::optional<std::string_view> optionalPart(slot s) const;

    const char* text;
    std::uint32_t ends[slotCount] = {};
    std::uint8_t present = 0;
};
