// The header line that begins every component: how compress reads its
// fields, and how a library reader takes a component's name from it.
#pragma once

#include <optional>
#include <string>

struct headerFields {
    std::string name;
    std::optional<std::string> commaPart;
    std::optional<std::string> semicolonPart;
    bool hasAko = false;
    std::string akoName;
    std::string extraText;  // empty means absent
};

// Null when the line does not begin with keyword (letter case ignored over
// the keyword's length): a bad first line.
std::optional<headerFields> parseHeader(const std::string& line, const std::string& keyword);

// Splits a name word at its first ",", then what follows it (or the whole
// word) at its first ";". Returns the last part made, for a further split.
std::string* splitCommaAndSemicolon(const std::string& word, std::string& name,
                                    std::optional<std::string>& commaPart,
                                    std::optional<std::string>& semicolonPart);

// The name a library reader gives the component whose header line this is:
// the first word after the keyword and the character that follows it, cut at
// its first "," or else its first ";" or else its first ":". Empty when the
// line has no such word.
std::string componentNameOf(const std::string& line, const std::string& keyword);
