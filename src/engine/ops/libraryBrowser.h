// A library looked into part by part, as the program's Library window does:
// the index is read once and its entries are reached by their place in it,
// a part's text is read only when asked for, and the version line's checksum
// is checked in steps, so that a caller can show the first page of a very
// large library at once and keep answering meanwhile. The file is open only
// while it is read: another writer (the tool, git) may replace it at any
// time, and every read first checks that it is still the file the index
// came from.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/io/sectionMatch.h"
#include "engine/logSink.h"
#include "engine/ops/libraryInput.h"

class libraryBrowser {
public:
    enum class checksumState { pending, matches, differs, absent };

    libraryBrowser() = default;
    ~libraryBrowser();
    libraryBrowser(const libraryBrowser&) = delete;
    libraryBrowser& operator=(const libraryBrowser&) = delete;

    // Reads the index. False after "Browse: fatal error: can't open library:
    // PATH" or "Browse: fatal error: no index", logged.
    bool open(const libKind& kind, const std::string& path, logSink& log);
    // Forgets the library; open reads it again.
    void close();

    // Whether the file is still the one the index was read from (its
    // identity, size and time); once it is not, changedOutside() stays true
    // and no part is read from it.
    bool unchanged() const;
    bool changedOutside() const { return outside; }

    std::size_t count() const { return entries.size(); }
    const indexEntry& entry(std::size_t i) const { return *entries[i]; }

    // The entry as the list shows it: the name word, position, length and
    // extra text (when there is one), separated by tabs.
    std::string row(std::size_t i) const;

    // The first entry from `from` on, then from the top, whose name word
    // begins with prefix (letters of either case); -1 when there is none.
    long long find(std::string_view prefix, std::size_t from) const;

    // The text print shows for entry i's name; scanned is set when the index
    // was wrong and the library had to be searched. False when no component
    // of that name can be found.
    bool text(std::size_t i, std::string& out, bool& scanned);

    // Goes on with the checksum of the data section over at most budget
    // bytes; pending until the last one has been read, or the file changed.
    // On the way it notes the parts that hold a merge's conflict markers.
    checksumState checkStep(std::size_t budget);

    // How many parts hold conflict markers, as far as the checksum has read;
    // their rows end in "[conflict]".
    std::size_t conflicts() const { return conflicted.size(); }

private:
    bool stillThere();
    void lookAtLines(const char* bytes, std::size_t n);
    void judgeLine();

    std::string path;
    fileStamp stamp;  // taken before the index was read
    bool outside = false;
    std::string keyword;
    std::string lineHead;  // the first bytes of the line being read
    bool headDone = false;
    std::string partName;  // of the header line last read
    std::set<std::string> conflicted;
    std::unique_ptr<libraryInput> input;
    std::vector<const indexEntry*> entries;
    long long sumOffset = 0;
    std::uint32_t sum = 0;
    unsigned long stated = 0;
    checksumState state = checksumState::pending;
};
