// The header line that begins every component: how compress reads its
// fields, how expand writes it from an index entry, and how a library reader
// takes a component's name from it.
#pragma once

#include <optional>
#include <string>

#include "engine/format/entryFields.h"
#include "engine/format/indexEntry.h"

// Null when the line does not begin with keyword (letter case ignored over
// the keyword's length): a bad first line. The words after the name fill the
// extra text and the ako name; a ":" in the name word is part of the name.
std::optional<entryFields> parseHeader(const std::string& line, const std::string& keyword);

// The written form: keyword, name word, extra text, " ako " and the ako name,
// LF.
std::string formatHeader(const indexEntry& entry, const std::string& keyword);

// The name a library reader gives the component whose header line this is:
// the first word after the keyword and the character that follows it, cut at
// its first "," or else its first ";" or else its first ":". Empty when the
// line has no such word.
std::string componentNameOf(const std::string& line, const std::string& keyword);
