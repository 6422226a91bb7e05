// One component's entry in the index table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The fields an entry is made from; the rules of makeEntry decide which
// optional parts the entry keeps.
struct entryFields {
    std::string name;
    const std::string* commaPart = nullptr;      // given, even empty: present
    const std::string* semicolonPart = nullptr;  // given, even empty: present
    std::int32_t position = 0;
    std::int32_t length = 0;
    bool hasAko = false;
    std::string akoName;                          // kept only with hasAko
    std::string extraText;                        // kept only when not empty
};

// An index table entry. Libraries hold tens of thousands of parts, so an
// entry keeps its five strings in one block: a few dozen bytes a part.
class indexEntry {
public:
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

    void add(slot s, const std::string* text);
    std::string_view part(slot s) const;
    std::optional<std::string_view> optionalPart(slot s) const;

    std::string text;
    std::uint32_t ends[slotCount] = {};
    std::uint8_t present = 0;
};

// A new entry from operator new: copies the name; the comma and semicolon
// parts when given (empty counts as present); the ako name only with
// hasAko; the extra text only when not empty. Hits start at 0.
indexEntry* makeEntry(const entryFields& fields);
