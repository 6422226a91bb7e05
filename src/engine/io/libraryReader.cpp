#include "engine/io/libraryReader.h"

#include <utility>

#include "engine/format/indexLine.h"

libraryReader::libraryReader(byteSource& source, std::string kw, logSink& sink)
    : reader(source, block), keyword(std::move(kw)), log(sink) {}

bool libraryReader::findIndex() {
    std::string line;
    while (reader.readLibLine(line, log)) {
        if (beginsWith(line, "@index")) return true;
    }
    return false;
}

bool libraryReader::readIndex(indexList& index) {
    std::string line;
    for (;;) {
        const long long lineStart = reader.offset();
        if (!reader.readLibLine(line, log)) return false;
        if (beginsWith(line, keyword)) {
            dataStart = start = end = lineStart;
            headerLine = std::move(line);
            current = true;
            return true;
        }
        if (!beginsWith(line, "symloc")) continue;
        if (std::optional<entryFields> fields = parseIndexLine(line)) index.append(*fields);
    }
}

bool libraryReader::nextLine(std::string& line) {
    if (atEnd || !nextHeader.empty()) return false;
    end = reader.offset();
    if (!reader.readLibLine(line, log)) {
        atEnd = true;
        return false;
    }
    if (!beginsWith(line, keyword)) return true;
    nextHeader = std::move(line);
    return false;
}

void libraryReader::appendLines(std::string& text) {
    std::string line;
    for (;;) {
        if (!atEnd && nextHeader.empty()) reader.takePlainLines(text, keyword);
        if (!nextLine(line)) return;
        text += line;
    }
}

void libraryReader::nextComponent() {
    std::string ignored;
    while (nextLine(ignored)) {
    }
    start = end;
    current = !atEnd;
    headerLine = std::move(nextHeader);
    nextHeader.clear();
}

bool libraryReader::seekComponent(long long position) {
    const long long offset = dataStart + position;
    std::string line;
    if (position < 0 || !reader.seek(offset) || !reader.readLibLine(line, log) || !beginsWith(line, keyword)) {
        current = false;
        return false;
    }
    start = end = offset;
    headerLine = std::move(line);
    nextHeader.clear();
    atEnd = false;
    current = true;
    return true;
}
