#include "engine/ops/libraryBrowser.h"

#include <algorithm>
#include <cstring>

#include "engine/format/checksum.h"
#include "engine/format/header.h"
#include "engine/format/indexLine.h"
#include "engine/ops/inspect.h"
#include "support/fileOps.h"

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool beginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerAscii(text[i]) != lowerAscii(prefix[i])) return false;
    }
    return true;
}

}  // namespace

libraryBrowser::~libraryBrowser() { close(); }

void libraryBrowser::close() {
    entries.clear();
    conflicted.clear();
    lineHead.clear();
    headDone = false;
    partName.clear();
    input.reset();
    outside = false;
    state = checksumState::absent;
}

bool libraryBrowser::open(const libKind& k, const std::string& libraryPath, logSink& log) {
    close();
    keyword = k.keyword;
    path = libraryPath;
    stamp = fileStamp::of(path);
    input = std::make_unique<libraryInput>();
    if (!input->open(k, path, "Browse", log)) {
        input.reset();
        return false;
    }
    for (const indexEntry* e = input->index().first; e; e = e->next) entries.push_back(e);
    input->letGo();
    std::FILE* f = fileOps::open(path, "rb");
    if (!f) return true;
    fileSource source(f);
    if (std::optional<unsigned long> s = statedChecksum(source)) {
        stated = *s;
        state = checksumState::pending;
        sum = checksumStart;
        sumOffset = input->dataSectionStart();
    }
    std::fclose(f);
    return true;
}

bool libraryBrowser::unchanged() const { return fileStamp::of(path) == stamp; }

bool libraryBrowser::stillThere() {
    outside = outside || !unchanged();
    return !outside;
}

std::string libraryBrowser::row(std::size_t i) const {
    const indexEntry& e = *entries[i];
    std::string text = nameWord(e) + "\t" + std::to_string(e.position) + "\t" + std::to_string(e.length);
    const auto extra = e.extraText();
    if (extra) text.append("\t").append(*extra);
    if (conflicted.count(std::string(e.name())) != 0) text.append(extra ? "  " : "\t").append("[conflict]");
    return text;
}

long long libraryBrowser::find(std::string_view prefix, std::size_t from) const {
    const std::size_t n = entries.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = (from + k) % n;
        if (beginsWithIgnoringCase(nameWord(*entries[i]), prefix)) return static_cast<long long>(i);
    }
    return -1;
}

bool libraryBrowser::text(std::size_t i, std::string& out, bool& scanned) {
    if (!input || i >= entries.size() || !stillThere() || !input->takeBack()) return false;
    const bool found = firstPartText(*input, std::string(entries[i]->name()), out, scanned);
    input->letGo();
    return found;
}

libraryBrowser::checksumState libraryBrowser::checkStep(std::size_t budget) {
    if (state != checksumState::pending || !stillThere()) return state;
    std::FILE* f = fileOps::open(path, "rb");
    if (!f) return state;
    fileSource source(f);
    std::vector<char> block(std::min<std::size_t>(budget, 1 << 16));
    std::size_t done = 0;
    std::size_t n = 0;
    if (sumOffset >= 0 && source.seek(sumOffset)) {
        while (done < budget && (n = source.read(block.data(), std::min(block.size(), budget - done))) > 0) {
            sum = checksumUpdate(sum, reinterpret_cast<const unsigned char*>(block.data()), n);
            lookAtLines(block.data(), n);
            done += n;
        }
    }
    std::fclose(f);
    sumOffset = sumOffset < 0 || n == 0 ? -1 : sumOffset + static_cast<long long>(done);
    if (sumOffset < 0) {
        if (!headDone && !lineHead.empty()) judgeLine();
        state = stated == sum ? checksumState::matches : checksumState::differs;
    }
    return state;
}

// The beginning of every line of the data, as the checksum reads it through
// in blocks: a header line names the part that follows, and a line a merge
// left as a conflict marker marks that part.
void libraryBrowser::lookAtLines(const char* bytes, std::size_t n) {
    constexpr std::size_t headLimit = 1100;  // past the longest header line
    std::size_t k = 0;
    while (k < n) {
        const auto* newline = static_cast<const char*>(std::memchr(bytes + k, '\n', n - k));
        const std::size_t end = newline ? static_cast<std::size_t>(newline - bytes) : n;
        if (!headDone) {
            lineHead.append(bytes + k, std::min(headLimit - lineHead.size(), end - k));
            if (newline || lineHead.size() >= headLimit) {
                judgeLine();
                headDone = true;
            }
        }
        if (!newline) return;
        k = end + 1;
        lineHead.clear();
        headDone = false;
    }
}

void libraryBrowser::judgeLine() {
    if (beginsWith(lineHead, keyword)) partName = componentNameOf(lineHead, keyword);
    else if (!partName.empty() && isConflictMarker(lineHead)) conflicted.insert(partName);
}
