// Reads a library as the reading rules have it: skips to "@index", reads the
// index lines into an index table, then yields one component at a time, its
// header line, its other lines, and where it actually stands and how long it
// actually is. It writes nothing and judges nothing: expand, verify and list
// are built on it.
#pragma once

#include <string>
#include <vector>

#include "engine/format/indexList.h"
#include "engine/io/byteSource.h"
#include "engine/io/lineReader.h"
#include "engine/logSink.h"

// Case-sensitive prefix test, as the reading rules use for "@index",
// "symloc" and the kind's keyword.
inline bool beginsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

class libraryReader {
public:
    // keyword begins every header line of the kind being read; log receives
    // the reader's one message, a line too long for its buffer.
    libraryReader(byteSource& source, std::string keyword, logSink& log);

    // Skips to the line that begins with "@index". False when there is none.
    bool findIndex();

    // Appends an entry for every readable "symloc" line until the first
    // header line, which starts the first component. False when no
    // component follows the index.
    bool readIndex(indexList& index);

    // True while a component is current: after readIndex, and after
    // nextComponent until the end of the library.
    bool hasComponent() const { return current; }
    const std::string& header() const { return headerLine; }

    // The current component's next line after its header. False when the
    // component has ended (at the next header line or the library's end).
    bool nextLine(std::string& line);

    // Where the current component starts, from the data section's start, and
    // how many bytes it holds; the length is known once nextLine said false.
    long long position() const { return start - dataStart; }
    long long length() const { return end - start; }
    long long dataSectionStart() const { return dataStart; }

    // Why the reader stopped last: the component read by nextLine is whole
    // when it ended at a header line or at a clean end of the library, not
    // at a line too long, a last line without LF or a read error.
    lineReader::ending ending() const { return reader.lastEnding(); }
    bool componentWhole() const {
        return ending() == lineReader::ending::none || ending() == lineReader::ending::end;
    }
    bool readFailed() const { return reader.readFailed(); }
    int failure() const { return reader.sourceFailure(); }

    // Appends every further line of the current component to text, as
    // calling nextLine until it says false would, plain lines a block at a
    // time.
    void appendLines(std::string& text);

    // Makes the header line that ended the current component current.
    void nextComponent();

    // Makes the component that starts position bytes into the data section
    // current, when a header line of the kind stands there; false otherwise.
    // Only that component is read then: nextLine stops at the next header.
    bool seekComponent(long long position);

private:
    std::vector<char> block;  // before reader, which reads into it
    lineReader reader;
    std::string keyword;
    logSink& log;
    std::string headerLine;
    std::string nextHeader;
    long long dataStart = 0;
    long long start = 0;
    long long end = 0;
    bool current = false;
    bool atEnd = false;
};
