// Shell-style patterns for part names: "*" any run of characters, "?" any
// one, "[...]" one of a set ("[A-F0-9]", "[!X]" or "[^X]" for any but those).
// Matching is case-sensitive, as names are compared everywhere.
#pragma once

#include <string>

// True when text holds a pattern character and is to be matched, not
// taken as a name.
bool isNamePattern(const std::string& text);

bool matchesPattern(const std::string& pattern, const std::string& name);
