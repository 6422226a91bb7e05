// Small text helpers shared by the file-open dialog's modules.
#pragma once

#include <cstddef>
#include <string>

#include "support/miscfuns.h"

inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

// The folder with a backslash at its end unless it ends in a separator.
inline std::string withSeparator(std::string dir) {
    if (dir.empty() || !isPathSeparator(dir.back())) dir += "\\";
    return dir;
}

// Copies at most size - 1 characters of from into a fixed field.
inline void copyCut(char* to, const std::string& from, std::size_t size) { strCopyCut(to, from.c_str(), size); }

// The current directory, cut to its first 100 characters: the record's
// folder keeps a long directory's beginning rather than losing it.
std::string currentDirectory100();

// The current directory and drive as resolvePath sees them. Tests put a
// place of their own here: Wine lets no process sit in a network folder.
struct currentPlace {
    std::string directory;
    int drive;  // 1 = A; 0 when the directory is a network path
};
using placeSource = currentPlace (*)();
// Makes resolvePath ask source (null: the system) and returns the one before.
placeSource setPlaceSource(placeSource source);

// A directory with the given drive (1 = A) and a colon in front unless it
// already begins with a drive letter and a colon. Drive 0, the current
// directory being a network path with no drive, puts nothing in front.
std::string withCurrentDrive(const std::string& dir, int drive);
