// Reads a library as a sequence of parts, as the reading rules have it:
// skips to "@index", reads the index lines into an index table, then yields
// one part at a time with its name, its text as expand writes it, whether it
// was read whole, and where it actually stands and how long it actually is.
// It writes nothing, logs nothing and judges nothing: every command that
// reads a library is built on it, and says in its own words what it found.
#pragma once

#include <string>
#include <vector>

#include "engine/format/indexList.h"
#include "engine/io/byteSource.h"
#include "engine/io/lineReader.h"

// Case-sensitive prefix test, as the reading rules use for "@index",
// "symloc" and the kind's keyword.
inline bool beginsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

// A line that begins as a merge's conflict marker does: seven or more "<"
// or ">", then a blank or nothing.
bool isConflictMarker(const std::string& line);

struct libraryPart {
    std::string name;      // by the one rule of header.h (componentNameOf)
    std::string read;      // its header line as the library holds it, CRs dropped
    std::string header;    // as expand writes it: rebuilt from the first index entry of its name (by index)
    std::string body;      // its other lines, CRs dropped
    long long position = 0;  // from the data section's start
    long long length = 0;    // bytes up to the next header line or the library's end
    // Why its reading stopped: the next header line or the library's clean
    // end (whole), a line longer than 1022 characters or a last line without
    // LF (cut short; the reading rules end the library there), or a read
    // error.
    lineReader::ending ending = lineReader::ending::none;
    // The first line (1 the header) that looks like a merge's conflict
    // marker ("<<<<<<<" or ">>>>>>>"); 0 when none.
    long long markerLine = 0;

    bool whole() const { return ending == lineReader::ending::none || ending == lineReader::ending::end; }
    std::string text() const { return header + body; }
};

class partReader {
public:
    // byIndex: each part's header is rebuilt from the index, as expand
    // writes it. byScan: the index is not trusted, and not needed: each
    // part keeps the header line it has, and a library without "@index" is
    // read from its first header line.
    enum class mode { byIndex, byScan };
    // What open found before the first part.
    enum class opening { ready, noIndex, noParts, readError };

    // keyword begins every header line of the kind being read.
    partReader(byteSource& source, std::string keyword, mode how = mode::byIndex);

    // Reads up to the first part, the index on the way. After noIndex or
    // noParts, ending() says whether a line too long for the rules ended
    // the reading there.
    opening open();

    // The next part in library order; false at the end (and after a read
    // error, which readFailed() tells). Without withText its lines are read
    // and counted but not kept.
    bool next(libraryPart& part, bool withText = true);

    // Reads the part that starts position bytes into the data section, when
    // a header line of the kind stands there; false otherwise. next then
    // goes on with the part that follows it.
    bool partAt(long long position, libraryPart& part);

    // After a part that a line too long for the rules ended: skips that
    // line and every line up to the next header line, where next() goes on
    // (a scan saves the parts after the damage this way). The bytes
    // skipped; next() gives nothing more when no header line follows.
    long long skipPastLongLine();

    indexList& index() { return entries; }
    // The "symloc" lines of the index that could not be read, and the first.
    long long unreadableIndexLines() const { return unreadable; }
    const std::string& firstUnreadable() const { return firstBad; }
    long long dataSectionStart() const { return dataStart; }
    // Bytes read from the source so far.
    long long offset() const { return reader.offset(); }
    lineReader::ending ending() const { return reader.lastEnding(); }
    bool readFailed() const { return reader.readFailed(); }
    int failure() const { return reader.sourceFailure(); }

private:
    bool findIndex();
    bool readIndex();
    bool nextLine(std::string& line);
    bool readLine(std::string& line);
    void take(libraryPart& part, bool withText);

    std::vector<char> block;  // before reader, which reads into it
    lineReader reader;
    std::string keyword;
    mode how;
    indexList entries;
    std::string headerLine;  // of the part next() gives next
    std::string nextHeader;  // the line that ended the part being read
    long long dataStart = 0;
    long long start = 0;
    long long end = 0;
    bool current = false;
    bool atEnd = false;
    long long unreadable = 0;
    std::string firstBad;
};
