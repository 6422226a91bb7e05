#include "engine/ops/libraryBrowser.h"

#include <algorithm>

#include "engine/format/checksum.h"
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
    input.reset();
    outside = false;
    state = checksumState::absent;
}

bool libraryBrowser::open(const libKind& k, const std::string& libraryPath, logSink& log) {
    close();
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
    if (auto extra = e.extraText()) text.append("\t").append(*extra);
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
            done += n;
        }
    }
    std::fclose(f);
    sumOffset = sumOffset < 0 || n == 0 ? -1 : sumOffset + static_cast<long long>(done);
    if (sumOffset < 0) state = stated == sum ? checksumState::matches : checksumState::differs;
    return state;
}
