#include "engine/io/partReader.h"

#include <algorithm>
#include <utility>

#include "engine/format/header.h"
#include "engine/format/indexLine.h"

bool isConflictMarker(const std::string& line) {
    if (line.empty() || (line[0] != '<' && line[0] != '>')) return false;
    const std::size_t run = std::min(line.find_first_not_of(line[0]), line.size());
    return run >= 7 && (run == line.size() || line[run] == ' ' || line[run] == '\n');
}

namespace {

// The line of body (the header counted as line 1) of its first conflict
// marker; 0 when there is none. Most texts hold neither run of seven.
long long markerIn(const std::string& body) {
    if (body.find("<<<<<<<") == std::string::npos && body.find(">>>>>>>") == std::string::npos) return 0;
    long long number = 2;
    for (std::size_t at = 0; at < body.size(); ++number) {
        std::size_t end = body.find('\n', at);
        end = end == std::string::npos ? body.size() : end + 1;
        if (isConflictMarker(body.substr(at, end - at))) return number;
        at = end;
    }
    return 0;
}

}  // namespace

partReader::partReader(byteSource& source, std::string kw, mode m) : reader(source, block), keyword(std::move(kw)), how(m) {}

bool partReader::findIndex() {
    std::string line;
    while (readLine(line)) {
        if (beginsWith(line, "@index")) return true;
    }
    return false;
}

// A library line; in a scan, a line too long for the rules before the first
// part is passed over (it can be no part's text) and its rest read as a line.
bool partReader::readLine(std::string& line) {
    for (;;) {
        if (reader.readLibLine(line)) return true;
        if (how == mode::byIndex || reader.lastEnding() != lineReader::ending::tooLong) return false;
    }
}

// Every "symloc" line until the first header line, which starts the first
// part; in a scan, a library without "@index" starts at its first header.
bool partReader::readIndex() {
    std::string line;
    for (;;) {
        const long long lineStart = reader.offset();
        if (!readLine(line)) return false;
        if (beginsWith(line, keyword)) {
            dataStart = start = end = lineStart;
            headerLine = std::move(line);
            current = true;
            return true;
        }
        if (!beginsWith(line, "symloc")) continue;
        if (std::optional<entryFields> fields = parseIndexLine(line)) {
            entries.append(*fields);
        } else if (unreadable++ == 0) {
            firstBad = line.substr(0, line.find('\n'));
        }
    }
}

partReader::opening partReader::open() {
    if (!findIndex()) {
        if (readFailed()) return opening::readError;
        if (how == mode::byIndex || !reader.rewind()) {
            return opening::noIndex;
        }
    }
    if (readIndex()) return opening::ready;
    return readFailed() ? opening::readError : opening::noParts;
}

bool partReader::nextLine(std::string& line) {
    if (atEnd || !nextHeader.empty()) return false;
    end = reader.offset();
    if (!reader.readLibLine(line)) {
        atEnd = true;
        return false;
    }
    if (!beginsWith(line, keyword)) return true;
    nextHeader = std::move(line);
    return false;
}

void partReader::take(libraryPart& part, bool withText) {
    part.name = componentNameOf(headerLine, keyword);
    part.body.clear();
    part.header.clear();
    const indexEntry* entry = how == mode::byIndex && withText ? entries.find(part.name) : nullptr;
    if (withText) part.header = entry ? formatHeader(*entry, keyword) : headerLine;
    // Room for what the index says, within reason: a damaged index may say anything.
    if (entry) part.body.reserve(static_cast<std::size_t>(std::clamp(entry->length, 0, 1 << 24)));
    part.read = std::move(headerLine);
    part.markerLine = 0;
    std::string line;
    for (long long number = 2;; ++number) {
        if (withText && !atEnd && nextHeader.empty()) reader.takePlainLines(part.body, keyword);
        if (!nextLine(line)) break;
        if (withText) part.body += line;
        else if (part.markerLine == 0 && isConflictMarker(line)) part.markerLine = number;
    }
    if (withText) part.markerLine = markerIn(part.body);
    part.position = start - dataStart;
    part.length = end - start;
    part.ending = reader.lastEnding();
    start = end;
    current = !atEnd;
    headerLine = std::move(nextHeader);
    nextHeader.clear();
}

bool partReader::next(libraryPart& part, bool withText) {
    if (!current) return false;
    take(part, withText);
    return true;
}

bool partReader::partAt(long long position, libraryPart& part) {
    const long long offset = dataStart + position;
    std::string line;
    if (position < 0 || !reader.seek(offset) || !reader.readLibLine(line) || !beginsWith(line, keyword)) {
        current = false;
        return false;
    }
    start = end = offset;
    headerLine = std::move(line);
    nextHeader.clear();
    atEnd = false;
    take(part, true);
    return true;
}

long long partReader::skipPastLongLine() {
    const long long from = start;
    std::string line;
    bool more = readLine(line);  // the rest of the line too long
    for (long long at = reader.offset(); more; at = reader.offset()) {
        more = readLine(line);
        if (more && beginsWith(line, keyword)) {
            start = end = at;
            headerLine = std::move(line);
            atEnd = false;
            current = true;
            return start - from;
        }
    }
    start = end = reader.offset();
    return start - from;
}
