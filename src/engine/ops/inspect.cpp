#include "engine/ops/inspect.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <thread>
#include <unordered_set>
#include <utility>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/format/checksum.h"
#include "engine/format/header.h"
#include "engine/format/indexLine.h"
#include "engine/io/partReader.h"
#include "engine/ops/componentCheck.h"
#include "engine/ops/engineOperation.h"
#include "engine/ops/libraryInput.h"
#include "support/fileOps.h"

namespace {

// Passes lines on and counts them: in verify every line is a finding.
class countingLog : public logSink {
public:
    explicit countingLog(logSink& to) : target(to) {}
    void addLine(const std::string& line) override { report(lineKind::finding, line); }
    void report(lineKind kind, const std::string& line) override {
        ++count;
        target.report(kind == lineKind::step ? lineKind::finding : kind, line);
    }
    void problem(const std::string& file, const std::string& reason) override { target.problem(file, reason); }
    int count = 0;

private:
    logSink& target;
};

// The checksum of a data section, and the bytes it covers.
struct sectionSum {
    std::uint32_t sum = checksumStart;
    long long size = 0;
};

// The checksum of everything from dataStart on (of nothing when -1).
sectionSum checksumFrom(byteSource& library, long long dataStart) {
    sectionSum found;
    if (dataStart < 0 || !library.rewind()) return found;
    std::vector<char> block(1 << 16);
    long long offset = 0;
    std::size_t n;
    while ((n = library.read(block.data(), block.size())) > 0) {
        const long long skip = std::min<long long>(static_cast<long long>(n), std::max(0LL, dataStart - offset));
        offset += static_cast<long long>(n);
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        found.sum = checksumUpdate(found.sum, bytes + skip, n - static_cast<std::size_t>(skip));
        found.size += static_cast<long long>(n) - skip;
    }
    return found;
}

// The data section's checksum worked out on a thread of its own, through a
// second handle on the library (which it closes), while the components are
// checked: on large parts it is most of verify's time, and the two together
// take little more than it alone.
class checksumAhead {
public:
    checksumAhead(std::FILE* library, long long dataStart)
        : file(library), source(library), worker([this, dataStart] { found = checksumFrom(source, dataStart); }) {}
    ~checksumAhead() {
        if (worker.joinable()) worker.join();
        std::fclose(file);
    }
    checksumAhead(const checksumAhead&) = delete;
    checksumAhead& operator=(const checksumAhead&) = delete;

    // Waits for the sum; the source says whether a read failed.
    sectionSum result() {
        worker.join();
        return found;
    }
    byteSource& library() { return source; }

private:
    std::FILE* file;
    fileSource source;
    sectionSum found;
    std::thread worker;  // last: starts once the rest is in place
};

// Reader and checker: every component is compared with the index, and the
// version line's checksum with the data section's.
class verifyOperation : engineOperation {
public:
    // path: the library's, for the checksum to read through a handle of its
    // own beside the check (empty: it follows the check). The stamp is taken
    // before anything is read.
    verifyOperation(const libKind& k, logSink& findings, std::string path = "")
        : engineOperation(k, findings), libraryPath(std::move(path)) {
        if (!libraryPath.empty()) stamp = fileStamp::of(libraryPath);
    }

    // The data section with the checksum its version line states, once
    // checked and found to hold it.
    std::optional<knownSection> checked;
    int markers = 0;  // parts with a conflict marker
    const std::function<void(const libraryPart&)>* eachPart = nullptr;
    // What kind of damage the findings are: the first part cut short by the
    // library's end or by a line too long, and whether the version line's
    // checksum is not the data section's, with the findings before it.
    std::string cutIn, longIn;
    std::string missing;  // the first index entry without a part
    std::string twice;  // the first name of a second part, or " " for a part without a name
    std::unordered_set<std::string> names;
    bool noIndex = false;
    bool checksumDiffers = false;
    int findingsBeforeChecksum = 0;

    void run(byteSource& library) {
        partReader reader(library, curKeyword);
        const partReader::opening opened = reader.open();
        tellTooLong(reader.ending(), log);
        if (opened == partReader::opening::readError) return readFailed(reader);
        if (opened == partReader::opening::noIndex) {
            noIndex = true;
            log.report(lineKind::error, "Expand: fatal error: no index");
            return;
        }
        const long long dataStart = opened == partReader::opening::ready ? reader.dataSectionStart() : -1;
        if (!libraryPath.empty()) {
            if (std::FILE* second = fileOps::open(libraryPath, "rb")) ahead.emplace(second, dataStart);
        }
        libraryPart part;
        if (reader.ending() == lineReader::ending::tooLong) longIn = "(before the first part)";
        while (reader.next(part, eachPart != nullptr)) {
            if (eachPart) (*eachPart)(part);
            tellTooLong(part.ending, log);
            noteCut(reader, part);
            checkComponent(reader.index(), part.name, part.position, part.length, log);
            if (part.markerLine != 0) {
                ++markers;
                log.addLine("Verify: " + part.name + ": line " + std::to_string(part.markerLine) +
                            " is a conflict marker left by a merge");
            }
        }
        if (reader.readFailed()) return readFailed(reader);
        for (const indexEntry* e = reader.index().first; e && missing.empty(); e = e->next) {
            if (e->hits == 0) missing = std::string(e->name());
        }
        reader.index().checkIndex(log, curKindName);
        findingsBeforeChecksum = counted ? counted->count : 0;
        checkVersionLine(library, dataStart);
    }

private:
    void noteCut(partReader& reader, const libraryPart& part) {
        if (twice.empty() && (part.name.empty() || !names.insert(part.name).second)) twice = part.name.empty() ? " " : part.name;
        if (part.ending == lineReader::ending::tooLong && longIn.empty()) longIn = part.name;
        const bool cut = cutByLibraryEnd(reader.index(), part);
        if (cut && cutIn.empty()) cutIn = part.name;
    }

    void readFailed(const partReader& reader) {
        log.report(lineKind::error, "Verify: can't read library: " + fileOps::systemReason(reader.failure()));
    }

    bool sourceFailed(byteSource& library) {
        if (!library.failed()) return false;
        log.report(lineKind::error, "Verify: can't read library: " + fileOps::systemReason(library.failure()));
        return true;
    }

    void checkVersionLine(byteSource& library, long long dataStart) {
        const std::optional<unsigned long> stated = statedChecksum(library);
        if (sourceFailed(library)) return;
        if (!stated) {
            log.addLine("Verify: no version line with a checksum");
            return;
        }
        const sectionSum actual = ahead ? ahead->result() : checksumFrom(library, dataStart);
        if (sourceFailed(ahead ? ahead->library() : library)) return;
        checksumDiffers = *stated != actual.sum;
        if (*stated != actual.sum) {
            log.addLine("Verify: checksum " + std::to_string(*stated) + " in the version line, " +
                        std::to_string(actual.sum) + " for the data section");
        } else if (dataStart >= 0) {
            checked = knownSection{libraryPath, stamp, dataStart, actual.size, actual.sum};
        }
    }

    std::string libraryPath;
    fileStamp stamp;
    std::optional<checksumAhead> ahead;

public:
    const countingLog* counted = nullptr;  // the findings so far
};

// One line saying what kind of damage the findings are and what a rewrite
// would lose; none for a clean library, conflict markers alone, or a
// library that could not be read. It is no finding of its own.
void tellDamageKind(const verifyOperation& verify, int findings, logSink& log) {
    std::string kind;
    if (!verify.cutIn.empty()) {
        kind = "cut short inside part " + verify.cutIn + ": vek repair -o NEW LIBRARY keeps every other part "
               "(--keep-cut: this one as far as it goes)";
    } else if (!verify.longIn.empty()) {
        kind = "over-long line in part " + verify.longIn + ": vek repair -o NEW LIBRARY keeps every other part "
               "(--keep-cut: this one up to that line)";
    } else if (!verify.missing.empty()) {
        kind = "no part " + verify.missing + " where the index has one (cut off, or never there): vek repair -o "
               "NEW LIBRARY keeps every part there is and names the missing as lost";
    } else if (verify.noIndex) {
        kind = "no index: vek repair -o NEW LIBRARY rebuilds it from the parts' header lines";
    } else if (!verify.twice.empty()) {
        kind = "every part reads whole, but " +
               (verify.twice == " " ? std::string("a header line names nothing") : verify.twice + " is the name of two parts") +
               ": vek repair keeps the first part of each name and names the others as lost";
    } else if (verify.checksumDiffers && verify.findingsBeforeChecksum == verify.markers) {
        kind = "only the checksum differs: a byte changed somewhere in the data and no part can be named; "
               "compare with a backup using vek diff";
    } else if (verify.checksumDiffers) {
        kind = "the index is wrong and the data changed: every part reads whole, and vek repair keeps each as "
               "it stands";
    } else if (findings > verify.markers && verify.checked) {
        kind = "the index alone is wrong: every part is intact, and vek repair loses nothing";
    }
    if (!kind.empty()) log.report(lineKind::warning, "Verify: " + kind);
}

// The closing line; the number of findings.
int verdict(const countingLog& findings, logSink& log) {
    const int count = findings.count;
    if (count == 0) log.addLine("Verify: library is clean");
    else log.report(lineKind::finding, "Verify: " + std::to_string(count) + " finding(s)");
    return count;
}

}  // namespace

std::optional<unsigned long> statedChecksum(byteSource& library) {
    library.rewind();
    std::vector<char> block;
    lineReader reader(library, block);
    std::string first;
    reader.readLibLine(first);
    char version[128] = "";
    unsigned long stated = 0;
    char more = 0;
    if (std::sscanf(first.c_str(), "*version %127s %lu%c", version, &stated, &more) < 2 ||
        (more != 0 && more != '\n')) {
        return std::nullopt;
    }
    return stated;
}

const libKind* kindFromContent(const std::string& path) {
    std::FILE* f = fileOps::open(path, "rb");
    if (!f) return nullptr;
    fileSource source(f);
    std::vector<char> block;
    lineReader reader(source, block);
    std::string line;
    const libKind* found = nullptr;
    while (!found && reader.readLibLine(line)) {
        for (const libKind* kind : allKinds) {
            if (beginsWith(line, kind->keyword)) found = kind;
        }
    }
    std::fclose(f);
    return found;
}

int verifyLibrary(const libKind& kind, byteSource& library, logSink& log) {
    countingLog findings(log);
    verifyOperation(kind, findings).run(library);
    return verdict(findings, log) == 0 ? 0 : 1;
}

int verifyLibrary(const libKind& kind, const std::string& libraryPath, logSink& log) {
    return verifyFindings(kind, libraryPath, log) == 0 ? 0 : 1;
}

namespace {

// Whether the first line ends in CR LF.
bool startsCrLf(std::FILE* f) {
    char first[256];
    const bool crLf = std::fgets(first, sizeof first, f) && std::strstr(first, "\r\n") != nullptr;
    std::rewind(f);
    return crLf;
}

// Every line of the file ends in CR LF: git converted it on checkout
// (core.autocrlf) and every position is off by the CRs before it. Only
// looked for when the first line ends so, which costs one line's read.
bool convertedToCrLf(std::FILE* f) {
    std::vector<char> block(1 << 16);
    bool first = true, crBefore = false;
    long long lines = 0;
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), f)) > 0) {
        for (std::size_t i = 0; i < n; ++i) {
            if (block[i] == '\n') {
                if (!crBefore) return false;
                ++lines;
            }
            crBefore = block[i] == '\r';
        }
        if (first && lines == 0 && n < block.size()) return false;
        first = false;
    }
    return lines > 0 && !std::ferror(f);
}

// A library's bytes with every CR left out, as they were before a checkout
// converted them; read from the start only.
class crDropped : public byteSource {
public:
    explicit crDropped(std::FILE* f) : file(f) {}
    std::size_t read(char* buffer, std::size_t size) override {
        std::size_t kept = 0;
        while (kept == 0) {
            const std::size_t n = std::fread(buffer, 1, size, file);
            if (n == 0) {
                error = std::ferror(file) ? EIO : 0;
                return 0;
            }
            kept = static_cast<std::size_t>(std::remove(buffer, buffer + n, '\r') - buffer);
        }
        return kept;
    }
    bool seek(long long offset) override { return offset == 0 && std::fseek(file, 0, SEEK_SET) == 0; }

private:
    std::FILE* file;
};

// The one finding for a library whose line ends git converted: whether
// its parts are intact once the CRs are dropped, and the remedy.
bool tellCrLf(const libKind& kind, std::FILE* f, logSink& findings) {
    std::rewind(f);
    if (!convertedToCrLf(f)) return false;
    std::rewind(f);
    crDropped original(f);
    memoryLog quiet;
    const bool intact = verifyLibrary(kind, original, quiet) == 0;
    findings.addLine(intact ? crLfFinding : std::string(crLfFinding) + " (and it is damaged besides)");
    return intact;
}

// Conflict markers before the first part: git's own merge of the library,
// never resolved (the version line and the index conflict first).
bool unresolvedMerge(const libKind& kind, std::FILE* f) {
    std::rewind(f);
    fileSource source(f);
    std::vector<char> block;
    lineReader reader(source, block);
    std::string line;
    while (reader.readLibLine(line) && !beginsWith(line, kind.keyword)) {
        if (isConflictMarker(line) || line == "=======\n") return true;
    }
    return false;
}

}  // namespace

int verifyFindings(const libKind& kind, const std::string& libraryPath, logSink& log, knownSection* section,
                   int* markers) {
    return verifyFindings(kind, libraryPath, log, section, markers, nullptr);
}

int verifyFindings(const libKind& kind, const std::string& libraryPath, logSink& log, knownSection* section,
                   int* markers, const std::function<void(const libraryPart&)>& eachPart) {
    countingLog findings(log);
    std::FILE* f = fileOps::open(libraryPath, "rb");
    if (!f) {
        logProblem(findings, "Expand: fatal error: can't open library: " + libraryPath, libraryPath,
                   fileOps::lastReason());
        return verdict(findings, log);
    }
    if (startsCrLf(f) && tellCrLf(kind, f, findings)) {
        std::fclose(f);
        log.problem(libraryPath, "1 finding(s)");
        return verdict(findings, log);
    }
    std::rewind(f);
    fileSource source(f);
    verifyOperation verify(kind, findings, libraryPath);
    verify.counted = &findings;
    if (eachPart) verify.eachPart = &eachPart;
    verify.run(source);
    if (findings.count != 0 && unresolvedMerge(kind, f)) {
        findings.addLine("Verify: an unresolved merge: conflict markers in the version line or the index; "
                         "vek git-merge " + libraryPath + " merges it by parts");
    }
    std::fclose(f);
    tellDamageKind(verify, findings.count, log);
    const int result = verdict(findings, log);
    if (markers) *markers = verify.markers;
    if (section && result == verify.markers && verify.checked) *section = *verify.checked;
    if (result != 0) log.problem(libraryPath, std::to_string(findings.count) + " finding(s)");
    return result;
}

namespace {

// Keeps verify's lines, and apart the one that says what kind of damage
// they are.
class damageLog : public memoryLog {
public:
    void report(lineKind kind, const std::string& line) override {
        if (kind == lineKind::warning) damage = line.substr(8);
        else addLine(line);
    }
    std::string damage;
};

}  // namespace

bool refuseDamaged(const libKind& kind, const std::string& libraryPath, const std::string& prefix, logSink& log,
                   knownSection* section) {
    damageLog silent;
    int markers = 0;
    const int findings = verifyFindings(kind, libraryPath, silent, section, &markers);
    if (findings == markers) return false;
    const std::string what = "library not changed: " + std::to_string(findings) + " finding(s)";
    // A library whose line ends a checkout converted is the one damage with
    // a remedy that loses nothing: the refusal says so.
    const bool crLf = !silent.lines.empty() && silent.lines.front() == crLfFinding;
    const std::string reason = crLf                    ? "library not changed: " + silent.lines.front().substr(8)
                               : silent.damage.empty() ? what + "; run vek verify " + libraryPath
                                                       : what + ": " + silent.damage;
    logProblem(log, prefix + ": fatal error: " + what + ": " + libraryPath, libraryPath, reason);
    return true;
}

opResult listLibrary(const libKind& kind, const std::string& libraryPath, logSink& entries, logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "List", log)) return opResult::failed;
    for (const indexEntry* e = in.index().first; e; e = e->next) {
        const std::string text = formatIndexLine(*e);
        entries.addLine(text.substr(7, text.size() - 8));
    }
    return in.indexReadWhole() ? opResult::done : opResult::failed;
}

namespace {

// How many bytes the valid UTF-8 sequence at text[i] holds (2 to 4), or 0
// when none stands there: no overlong form, no surrogate, nothing past
// U+10FFFF.
std::size_t utf8Sequence(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = byte(i);
    const std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (n == 0) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    const unsigned second = byte(i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90)) {
        return 0;
    }
    return n;
}

// A JSON string of any bytes: controls escaped, valid UTF-8 as the
// characters it spells, any other byte from 0x80 up as the Latin-1
// character of the same number.
std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto c = static_cast<unsigned char>(ch);
        if (const std::size_t n = c >= 0x80 ? utf8Sequence(text, i) : 0) {
            out.append(text.substr(i, n));
            i += n - 1;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else if (c >= 0x80) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string jsonEntry(const indexEntry& e) {
    std::string object = "{\"name\": " + jsonString(e.name()) + ", \"position\": " + std::to_string(e.position) +
                         ", \"length\": " + std::to_string(e.length);
    const std::pair<const char*, std::optional<std::string_view>> parts[] = {
        {"commaPart", e.commaPart()}, {"semicolonPart", e.semicolonPart()}, {"akoName", e.akoName()},
        {"extraText", e.extraText()}};
    for (const auto& [key, value] : parts) {
        if (value) object += ", \"" + std::string(key) + "\": " + jsonString(*value);
    }
    return object + "}";
}

}  // namespace

opResult listLibraryJson(const libKind& kind, const std::string& libraryPath, logSink& out, logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "List", log)) return opResult::failed;
    if (!in.index().first) {
        out.addLine("[]");
        return in.indexReadWhole() ? opResult::done : opResult::failed;
    }
    out.addLine("[");
    for (const indexEntry* e = in.index().first; e; e = e->next) out.addLine("  " + jsonEntry(*e) + (e->next ? "," : ""));
    out.addLine("]");
    return in.indexReadWhole() ? opResult::done : opResult::failed;
}
