// Looking into a library without unpacking it: list its index, or verify it.
// Both stream the library; memory is bounded by the index, not the data.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/format/libKind.h"
#include "engine/io/byteSource.h"
#include "engine/io/partReader.h"
#include "engine/io/sectionMatch.h"
#include "engine/logSink.h"
#include "engine/ops/opResult.h"

// Sends one line per readable index line to entries: the name word, the
// position, the length and the extra text, as the index holds them. Fatal
// errors go to log. done when the index was read, failed after a fatal
// error.
opResult listLibrary(const libKind& kind, const std::string& libraryPath, logSink& entries, logSink& log);

// The same entries as a JSON array, one object a line: name, position,
// length, then commaPart, semicolonPart, akoName and extraText when present.
opResult listLibraryJson(const libKind& kind, const std::string& libraryPath, logSink& out, logSink& log);

// Reads the whole library as expand does, writing nothing, and logs every
// finding: a version line without a matching checksum, each component's
// index finding with expand's messages, and the index check's lines. Ends
// with "Verify: library is clean" or "Verify: N finding(s)". 0 when clean,
// 1 otherwise.
int verifyLibrary(const libKind& kind, const std::string& libraryPath, logSink& log);
// The same, returning N, the number of findings. When there are none,
// section (if given) learns where the data section stands, its checksum and
// the file's stamp as it was before the check.
// markers (if given) learns how many of the findings are conflict markers
// left inside parts: text to resolve, in a library that is whole, which
// the section is then learnt for too.
int verifyFindings(const libKind& kind, const std::string& libraryPath, logSink& log,
                   knownSection* section = nullptr, int* markers = nullptr);
// The same, handing each part, with its text, to eachPart as it is read:
// a caller that needs every part's text reads the library once.
int verifyFindings(const libKind& kind, const std::string& libraryPath, logSink& log, knownSection* section,
                   int* markers, const std::function<void(const libraryPart&)>& eachPart);
int verifyLibrary(const libKind& kind, byteSource& library, logSink& log);

// The finding for a library whose every line git's checkout turned into CR
// LF (core.autocrlf), with the remedy.
inline constexpr const char* crLfFinding =
    "Verify: every line ends in CR LF: a checkout converted the library (git's core.autocrlf); its parts "
    "are intact. Mark libraries -text in .gitattributes and check it out again, or run vek both --force, "
    "which loses nothing here";

// Before a change: true, with "PREFIX: fatal error: library not changed:
// N finding(s)" logged, when verify finds anything in the library at path
// but conflict markers inside parts (which a change may well resolve).
bool refuseDamaged(const libKind& kind, const std::string& libraryPath, const std::string& prefix, logSink& log,
                   knownSection* section = nullptr);

// The library as text, for git's textconv: every part as the library holds
// it, header line first, in library order. Never fails on damage: a part
// cut short is followed by a line "vek: damaged: NAME is cut short: WHY",
// and verify's findings close the text, each after "vek: damaged: ".
// failed only when the library can't be opened.
opResult showLibraryText(const libKind& kind, const std::string& libraryPath, logSink& out, logSink& log);

// The kind of the first header line in the library at path (a line that
// begins with a kind's keyword), or null when it has none or can't be read.
const libKind* kindFromContent(const std::string& path);

// The checksum the version line states ("*version V SUM"), or none when the
// first line is not such a line.
std::optional<unsigned long> statedChecksum(byteSource& library);
