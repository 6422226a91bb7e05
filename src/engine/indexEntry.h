// One component's entry in the index table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct indexEntry {
    std::string name;
    std::optional<std::string> commaPart;
    std::optional<std::string> semicolonPart;
    std::optional<std::string> akoName;
    std::int32_t position = 0;
    std::int32_t length = 0;
    indexEntry* next = nullptr;
    std::uint32_t hits = 0;
    std::optional<std::string> extraText;
};

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

indexEntry* makeEntry(const entryFields& fields);
