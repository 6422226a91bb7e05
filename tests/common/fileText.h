// Small file helpers for tests.
#pragma once

#include <string>
#include <vector>

// The bytes of a file ("" when it cannot be read).
std::string readBytes(const std::string& path);

// Writes bytes exactly (binary).
void writeBytes(const std::string& path, const std::string& bytes);

// Writes text as a text file of this platform (LF becomes CR LF on Windows).
void writeText(const std::string& path, const std::string& text);

// What a text file holding text has as bytes on this platform.
std::string platformText(const std::string& text);

// A symbol library of parts P0, P1, ... each "*symbol Pn\nL1\n", with its
// true checksum: for tests that need many parts.
std::string numberedLibrary(int parts);

// A clean symbol library of these part texts ("*symbol NAME\n..." or
// "*symbol NAME EXTRA TEXT\n..."), as they
// stand, indexed in their order, with its true checksum.
std::string libraryOf(const std::vector<std::string>& parts);

// A file from tests/data.
std::string dataFile(const std::string& name);

// Makes a file read-only (or writable again).
void setReadOnly(const std::string& path, bool readOnly);

bool fileExists(const std::string& path);

// The lines of a log joined with LF after each, for readable failure output.
std::string joinLines(const std::vector<std::string>& lines);
