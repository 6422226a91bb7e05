// Small text helpers shared by the file-open dialog's modules.
#pragma once

#include <cstddef>
#include <string>

#include "support/miscfuns.h"

inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

// Copies at most size - 1 characters of from into a fixed field.
inline void copyCut(char* to, const std::string& from, std::size_t size) { strCopyCut(to, from.c_str(), size); }
