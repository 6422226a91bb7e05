#include "engine/io/componentReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/io/byteSource.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

long long storeComponent(lineReader& reader, std::string& piece, workFile& work, entryFields& fields,
                         bool refuseLong) {
    const long long position = work.size;
    long long line = 1;
    do {
        if (refuseLong && storedLength(piece.data(), piece.size()) >= lineReader::libLineBuffer - 1) return line;
        writeDataLine(piece, work);
        if (!piece.empty() && piece.back() == '\n') ++line;
    } while (reader.readPiece(piece, lineReader::componentPieceBuffer));
    fields.position = static_cast<std::int32_t>(position);
    fields.length = static_cast<std::int32_t>(work.size - position);
    return 0;
}

namespace {

constexpr std::size_t wholeFileLimit = 1 << 20;
constexpr std::size_t longestLine = lineReader::componentPieceBuffer - 2;  // an LF after it still fits a piece

// True when the piece by piece rule would take every line of text whole: no
// line is longer than a piece holds, and no NUL cuts one short.
bool linesFitPieces(std::string_view text) {
    if (std::memchr(text.data(), '\0', text.size())) return false;
    std::size_t at = 0;
    while (at < text.size()) {
        const void* lf = std::memchr(text.data() + at, '\n', text.size() - at);
        const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) : text.size();
        if (end - at > longestLine) return false;
        at = end + 1;
    }
    return true;
}

// Stores lines that fit pieces (see linesFitPieces) as storeComponent would,
// a run of lines that need no change in one copy.
void storeLines(std::string_view text, workFile& work) {
    const bool anyCR = std::memchr(text.data(), '\r', text.size()) != nullptr;
    std::size_t run = 0;  // the start of the lines stored as they are
    std::size_t at = 0;
    while (at < text.size()) {
        const char* line = text.data() + at;
        const void* lf = std::memchr(line, '\n', text.size() - at);
        const std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - line) : text.size() - at;
        std::size_t kept = length;
        if (anyCR) {
            if (const void* cr = std::memchr(line, '\r', length)) kept = static_cast<std::size_t>(static_cast<const char*>(cr) - line);
        }
        kept = trimmedLength(line, kept);
        if (kept != length || kept == 0 || !lf) {
            work.append(text.data() + run, at - run);
            if (kept > 0) {
                work.append(line, kept);
                work.append("\n", 1);
            }
            run = at + length + 1;
        }
        at += length + 1;
    }
    if (run < text.size()) work.append(text.data() + run, text.size() - run);
}

componentOutcome failed(componentOutcome::result what, std::string reason = "") {
    componentOutcome outcome;
    outcome.what = what;
    outcome.reason = std::move(reason);
    return outcome;
}

componentOutcome readFrom(byteSource& source, std::string_view whole, const libKind& kind, workFile& work,
                          entryFields& fields, bool refuseLong) {
    using result = componentOutcome::result;
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) {
        if (reader.readFailed()) return failed(result::cantRead, fileOps::systemReason(reader.sourceFailure()));
        return failed(result::empty);
    }
    componentOutcome outcome;
    outcome.firstLine = piece;
    std::optional<entryFields> header = parseHeader(piece, kind.keyword);
    if (!header) {
        outcome.what = result::badFirstLine;
        return outcome;
    }
    outcome.headerRead = true;
    fields.name = header->name;
    if (const long long line = storeRest(reader, piece, whole, work, *header, refuseLong)) {
        outcome.what = result::lineTooLong;
        outcome.line = line;
    } else if (reader.readFailed()) {
        outcome.what = result::cantRead;
        outcome.reason = fileOps::systemReason(reader.sourceFailure());
    } else {
        fields = std::move(*header);
    }
    return outcome;
}

}  // namespace

long long storeRest(lineReader& reader, std::string& piece, std::string_view whole, workFile& work,
                    entryFields& fields, bool refuseLong) {
    const std::string_view rest = whole.substr(std::min(whole.size(), static_cast<std::size_t>(reader.offset())));
    if (whole.data() == nullptr || !linesFitPieces(rest)) return storeComponent(reader, piece, work, fields, refuseLong);
    if (refuseLong && storedLength(piece.data(), piece.size()) >= lineReader::libLineBuffer - 1) return 1;
    const long long position = work.size;
    writeDataLine(piece, work);
    storeLines(rest, work);
    fields.position = static_cast<std::int32_t>(position);
    fields.length = static_cast<std::int32_t>(work.size - position);
    return 0;
}


// Part files are small: most are read in one call where the platform allows,
// which is most of the time compress spends on them.
componentOutcome readComponentFile(const std::string& path, const libKind& kind, workFile& work,
                                   entryFields& fields, bool refuseLong) {
    const int whole = fileOps::readWhole(path, wholeFileLimit, work.fileBytes);
    if (whole == 0) return failed(componentOutcome::result::cantOpen, fileOps::lastReason());
    if (whole == 1) {
        work.expect(work.fileBytes.size() + 1);  // normalising never adds more than a last LF
        memorySource source(work.fileBytes);
        return readFrom(source, work.fileBytes, kind, work, fields, refuseLong);
    }
    std::FILE* f = fileOps::open(path, "r");
    if (!f) return failed(componentOutcome::result::cantOpen, fileOps::lastReason());
    fileSource source(f);
    const componentOutcome outcome = readFrom(source, {}, kind, work, fields, refuseLong);
    std::fclose(f);
    return outcome;
}
