// Repair against every kind of damage: what it keeps must be the parts as
// they stood, what it cannot keep must be named, and what it writes must be
// a library verify calls clean.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"
#include "engine/ops/parts.h"
#include "engine/ops/repair.h"
#include "engine/compressedParts.h"

namespace {

using lines = std::vector<std::string>;
using damage = std::function<std::string(std::string)>;

const lines partTexts = {"*symbol A\nL1\nL2\n", "*symbol B generic part\nB1\n", "*symbol C\nC1\nC2\nC3\n"};

// The library compress makes of the three parts.
std::string intactLibrary() { return compressedParts(partTexts, "intact.slb"); }

std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
    return bytes.replace(bytes.find(from), from.size(), to);
}

struct repairCase {
    const char* what;
    damage change;
    bool keepCut;
    opResult result;
    lines kept;     // the output's parts, in order
    lines asThey;   // of those, the ones whose text must be as it was
    lines lost;     // every line naming a loss, in order
    const char* kind = "";  // how verify's line naming the damage begins ("": none)
};

// Verify's line naming the kind of damage.
class kindLog : public memoryLog {
public:
    void report(lineKind k, const std::string& line) override {
        if (k == lineKind::warning) kind = line;
    }
    std::string kind;
};

std::ostream& operator<<(std::ostream& out, const repairCase& c) { return out << c.what; }

class repairDamage : public inTempDir, public ::testing::WithParamInterface<repairCase> {};

TEST_P(repairDamage, KeepsWhatIsWholeAndNamesTheRest) {
    const repairCase& c = GetParam();
    const std::string intact = intactLibrary();
    writeBytes("lib.slb", c.change(intact));
    kindLog verified;
    verifyLibrary(symbolKind, "lib.slb", verified);
    EXPECT_EQ(verified.kind.substr(0, std::string(c.kind).size()), c.kind) << c.what << ": " << verified.kind;
    EXPECT_EQ(verified.kind.empty(), *c.kind == '\0') << c.what << ": " << verified.kind;
    // Diff compares what it can read, marking a part it cannot read whole.
    memoryLog shown, quiet;
    const diffResult compared = diffLibraries(symbolKind, "intact.slb", "lib.slb", shown, quiet);
    const std::string kind = c.kind;
    const bool cut = kind.find("cut short inside") != std::string::npos || kind.find("over-long") != std::string::npos;
    const bool noIndex = c.result == opResult::failed || kind == "Verify: no index";
    EXPECT_EQ(compared == diffResult::unreadable, noIndex) << c.what;
    bool marked = false;
    for (const std::string& line : shown.lines) marked = marked || line.rfind("! ", 0) == 0;
    EXPECT_EQ(marked, cut) << c.what;
    // The tool's expand writes every part read whole and fails on any
    // finding but the checksum's (which expand does not read); its edits
    // refuse every damaged library, intact is the only one they change.
    runControl tool;
    tool.cutParts = cutPartPolicy::leaveOut;
    tool.findingsFail = true;
    tool.refuseDamage = true;
    std::filesystem::create_directory("x");
    const opResult expanded = expandLibrary(symbolKind, "lib.slb", quiet, &tool, "x");
    const bool intactRow = std::string(c.what) == "intact";
    const bool clean = intactRow || kind.find("only the checksum") != std::string::npos;
    EXPECT_EQ(expanded, noIndex ? opResult::failed : clean ? opResult::done : opResult::damaged) << c.what;
    // The reading ends at a line too long (the rest is repair's to save).
    const bool readsC = !noIndex && kind.find("part C") == std::string::npos && kind.find("over-long") == std::string::npos;
    EXPECT_EQ(fileExists("x/C.sym"), readsC) << c.what;
    EXPECT_EQ(deleteParts(symbolKind, "lib.slb", {"A"}, quiet, &tool), intactRow ? opResult::done : opResult::damaged) << c.what;
    writeBytes("lib.slb", c.change(intact));
    memoryLog log;
    repairReport report;
    const opResult result = repairLibrary(symbolKind, {"lib.slb", "out.slb", c.keepCut, false}, report, log);
    ASSERT_EQ(result, c.result) << c.what;
    lines lost;
    for (const std::string& line : log.lines) {
        const bool summary = line.size() > 8 && std::isdigit(static_cast<unsigned char>(line[8]));
        if (!summary && (line.find("lost") != std::string::npos || line.find("cut short by") != std::string::npos)) {
            lost.push_back(line);
        }
    }
    EXPECT_EQ(lost, c.lost) << c.what;
    EXPECT_EQ(report.wholeLibrary(), c.lost.empty()) << c.what;
    EXPECT_EQ(log.problems.size(), c.lost.size() + (result == opResult::failed ? 1 : 0)) << c.what;
    if (result != opResult::done) {
        EXPECT_FALSE(fileExists("out.slb")) << c.what;
        return;
    }
    memoryLog findings;
    EXPECT_EQ(verifyLibrary(symbolKind, "out.slb", findings), 0) << c.what << ": " << findings.lines.front();
    lines names;
    partNames(symbolKind, "out.slb", names, log);
    EXPECT_EQ(names, c.kept) << c.what;
    EXPECT_EQ(report.kept, static_cast<long long>(c.kept.size())) << c.what;
    for (const std::string& name : c.asThey) {
        std::string was, is;
        printPart(symbolKind, "intact.slb", name, was, log);
        printPart(symbolKind, "out.slb", name, is, log);
        EXPECT_EQ(is, was) << c.what << ": " << name;
    }
    // Nothing lost, nothing added, nothing changed: the library as compress made it.
    if (c.lost.empty() && c.kept == c.asThey) {
        EXPECT_EQ(readBytes("out.slb"), intact) << c.what;
    }
}

const lines all = {"A", "B", "C"};
const std::string cutC = "Repair: lost C at byte 42 (17 bytes): cut short by the library's end; --keep-cut keeps its first 16 bytes";

INSTANTIATE_TEST_SUITE_P(Rows, repairDamage, ::testing::Values(
    repairCase{"intact", [](std::string b) { return b; }, false, opResult::done, all, all, {}},
    repairCase{"converted to CR LF", [](std::string b) {
        std::string crLf;
        for (char ch : b) crLf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        return crLf; }, false, opResult::done, all, all, {}},
    repairCase{"cut inside the last line", [](std::string b) { return b.substr(0, b.size() - 2); }, false,
               opResult::done, {"A", "B"}, {"A", "B"}, {cutC}, "Verify: cut short inside part C"},
    repairCase{"cut inside the last line, cut parts kept", [](std::string b) { return b.substr(0, b.size() - 2); },
               true, opResult::done, all, {"A", "B"},
               {"Repair: kept C cut short by the library's end: its first 16 bytes"}, "Verify: cut short inside part C"},
    repairCase{"cut at a line's end inside the last part", [](std::string b) { return b.substr(0, b.size() - 3); },
               false, opResult::done, {"A", "B"}, {"A", "B"}, {"Repair: lost C at byte 42 (16 bytes): cut short by the "
               "library's end; --keep-cut keeps its first 16 bytes"}, "Verify: cut short inside part C"},
    repairCase{"cut inside a header line", [](std::string b) { return b.substr(0, b.find("*symbol C") + 4); }, false,
               opResult::done, {"A", "B"}, {"A", "B"},
               {"Repair: lost the library's last 4 bytes: a line without its end",
                "Repair: lost C: an index entry without a part (19 bytes by the index)"}, "Verify: no part C where the index has one"},
    repairCase{"cut inside the index", [](std::string b) { return b.substr(0, b.find("symloc B")); }, false,
               opResult::failed, {}, {},
               {"Repair: lost A: an index entry without a part (16 bytes by the index)"}, "Verify: no part A where the index has one"},
    repairCase{"a flipped byte", [](std::string b) { return replaced(b, "B1", "B2"); }, false, opResult::done, all,
               {"A", "C"}, {}, "Verify: only the checksum differs"},
    repairCase{"a broken index line", [](std::string b) { return replaced(b, "symloc B 16", "symloc B x6"); }, false,
               opResult::done, all, all, {}, "Verify: the index alone is wrong"},
    // The line's rest, past the limit, would read as a header line: it is no part.
    repairCase{"an over-long line", [](std::string b) { return replaced(b, "B1\n", std::string(1023, 'x') + "*symbol X\nB1\n"); },
               false, opResult::done, {"A", "C"}, {"A", "C"},
               {"Repair: lost B at byte 16 (1059 bytes): cut short by a line longer than 1022 characters; --keep-cut "
                "keeps its first 23 bytes"}, "Verify: over-long line in part B"},
    repairCase{"an index entry without a part", [](std::string b) { return replaced(b, "symloc C", "symloc D 9 7\nsymloc C"); },
               false, opResult::done, all, all, {"Repair: lost D: an index entry without a part (7 bytes by the index)"}, "Verify: no part D"},
    repairCase{"a part without an entry", [](std::string b) { return b + "*symbol E\nE1\n"; }, false, opResult::done,
               {"A", "B", "C", "E"}, all, {}, "Verify: the index is wrong and the data changed"},
    repairCase{"a second part of a name", [](std::string b) { return b + "*symbol A again\nX\n"; }, false,
               opResult::done, all, all, {"Repair: lost A at byte 61 (18 bytes): a second part of that name"}, "Verify: every part reads whole, but A is the name of two parts"},
    repairCase{"a header line naming nothing", [](std::string b) { return b + "*symbol \nX\n"; }, false,
               opResult::done, all, all, {"Repair: lost a part at byte 61 (11 bytes): its header line names nothing"}, "Verify: every part reads whole, but a header line names nothing"},
    repairCase{"no blank after the keyword", [](std::string b) { return b + "*symbolXE\nE1\n"; }, false,
               opResult::done, all, all,
               {"Repair: lost E at byte 61 (13 bytes): its header line names it otherwise for the index (XE)"}, "Verify: the index is wrong and the data changed"},
    repairCase{"a name ending in Ctrl-Z", [](std::string b) { return b + "*symbol F\x1A\nF1\n"; }, false,
               opResult::done, all, all,
               {"Repair: lost F\x1A at byte 61 (14 bytes): its header line names it otherwise for the index (F\x1A)"}, "Verify: the index is wrong and the data changed"},
    repairCase{"no index at all", [](std::string b) { return b.substr(b.find("*symbol A")); }, false, opResult::done,
               all, all, {}, "Verify: no index"}));

class repairTest : public inTempDir {};

TEST_F(repairTest, WritesOnlyWhereAndWhenAsked) {
    const std::string intact = intactLibrary();
    writeBytes("lib.slb", intact.substr(0, intact.size() - 2));
    memoryLog log;
    repairReport report;
    EXPECT_EQ(repairLibrary(symbolKind, {"lib.slb", "", false, true}, report, log), opResult::done);
    EXPECT_EQ(log.lines.back(), "Repair: nothing written (a dry run)");
    EXPECT_EQ(report.cut, 1);
    EXPECT_FALSE(fileExists("lib.slb.bak"));
    EXPECT_EQ(readBytes("lib.slb"), intact.substr(0, intact.size() - 2));
    // In place, the old library is kept as its backup, which is never
    // overwritten: a second repair in place is refused.
    EXPECT_EQ(repairLibrary(symbolKind, {"lib.slb", "", false, false}, report, log), opResult::done);
    EXPECT_EQ(readBytes("lib.slb.bak"), intact.substr(0, intact.size() - 2));
    EXPECT_EQ(verifyLibrary(symbolKind, "lib.slb", log), 0);
    const std::string repaired = readBytes("lib.slb");
    EXPECT_EQ(repairLibrary(symbolKind, {"lib.slb", "", false, false}, report, log), opResult::failed);
    EXPECT_EQ(log.problems.back(), "lib.slb: the backup lib.slb.bak exists already; move it away, or write the "
                                   "repair elsewhere with -o");
    EXPECT_EQ(repairLibrary(symbolKind, {"lib.slb", "lib.slb", false, false}, report, log), opResult::failed);
    EXPECT_EQ(readBytes("lib.slb"), repaired);
    EXPECT_EQ(repairLibrary(symbolKind, {"none.slb", "out.slb", false, false}, report, log), opResult::failed);
    EXPECT_EQ(log.lines.back(), "Repair: fatal error: can't open library: none.slb");
    EXPECT_FALSE(fileExists("out.slb"));
}

}  // namespace
