// Component files and list files: how their lines are read, normalised and
// named.
#pragma once

#include <optional>
#include <string>

#include "engine/format/libKind.h"

// The stored form of one component line: cut at the first CR and LF, trailing
// blanks, tabs, Ctrl-Z, CRs and LFs removed. Null when nothing is left (the
// line is dropped); otherwise the text without its LF.
std::optional<std::string> storedForm(const std::string& piece);

// The same without a copy: how many leading characters of text are stored
// (0 when the line is dropped). text[size] must be readable and NUL, as in a
// std::string.
std::size_t storedLength(const char* text, std::size_t size);

// How many of a line's first end characters are left once the trailing
// blanks, tabs, Ctrl-Z and CRs are taken off.
std::size_t trimmedLength(const char* text, std::size_t end);

// The component path named by one piece of a list file: its line end
// removed (a CR before the LF too), then cut at the first blank and tab.
std::string listEntryPath(const std::string& piece);

// The list file written beside a library: its path cut at the first "." with
// ".lst" appended.
std::string listPathFor(const std::string& libraryPath);

// The file name for an expanded component: the last 8 characters of its name
// with "/", "\", "+" and "." made "_", and so is every character no Windows
// file name may hold ("<>:\"|?*" and codes 1 to 31), so that a library
// expanded anywhere gives names usable everywhere; then the kind's extension,
// and the odometer over the last three characters while the name is taken:
// by a writable file (a symbolic link counts as one), or by being a Windows
// device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-9, LPT0-9, in any
// letter case and with any extension). Null when no free name exists or the
// name is empty. Names are taken or free in folder ("": the current one).
std::optional<std::string> componentFileName(const std::string& name, const libKind& kind,
                                             const std::string& folder = "");

// A file name inside folder ("": the name as it is).
std::string inFolder(const std::string& folder, const std::string& fileName);

// The first name the rule above tries: the cut and cleaned name with the
// kind's extension.
std::string componentBaseName(const std::string& name, const libKind& kind);

// True for a file name Windows takes as a device.
bool isDeviceName(const std::string& fileName);

// A free name by the same rule, with the test for "taken" supplied.
template <typename TakenTest>
std::optional<std::string> firstFreeName(const std::string& base, const std::string& ext,
                                         TakenTest taken);

#include "engine/format/componentFileName.inl"
