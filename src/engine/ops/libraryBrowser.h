// A library held open for looking into it part by part, as the program's
// Library window does: the index is read once and its entries are reached by
// their place in it, a part's text is read only when asked for, and the
// version line's checksum is checked in steps, so that a caller can show the
// first page of a very large library at once and keep answering meanwhile.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/format/libKind.h"
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
    // Lets go of the file, so that it can be replaced; open reads it again.
    void close();

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
    // bytes; pending until the last one has been read.
    checksumState checkStep(std::size_t budget);

private:
    std::unique_ptr<libraryInput> input;
    std::vector<const indexEntry*> entries;
    std::FILE* sumFile = nullptr;
    long long sumOffset = 0;
    std::uint32_t sum = 0;
    unsigned long stated = 0;
    checksumState state = checksumState::pending;
};
