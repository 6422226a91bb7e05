// The merge of libraries by parts: its rules as one table, what it refuses,
// and its laws on random libraries against a model of a library as an
// ordered list of named texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/inspect.h"
#include "engine/ops/merge.h"

namespace {

// A library written as "NAME:line,line;NAME+extra text:line": each part's
// header "*symbol NAME" (with " extra text" after a "+"), then its lines.
std::string library(const std::string& spec) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < spec.size()) {
        std::size_t end = spec.find(';', start);
        if (end == std::string::npos) end = spec.size();
        std::string part = spec.substr(start, end - start), text = "*symbol ";
        const std::size_t colon = part.find(':');
        std::string head = part.substr(0, colon);
        if (head.find('+') != std::string::npos) head.replace(head.find('+'), 1, " ");
        text += head + "\n";
        for (std::size_t l = colon + 1; colon != std::string::npos && l <= part.size();) {
            std::size_t comma = part.find(',', l);
            if (comma == std::string::npos) comma = part.size();
            if (comma > l) text += part.substr(l, comma - l) + "\n";
            l = comma + 1;
        }
        parts.push_back(text);
        start = end + 1;
    }
    return libraryOf(parts);
}

struct mergeRow {
    const char* what;
    const char *base, *ours, *theirs;
    const char* merged;  // as library() writes it
    int conflicts;
    bool diff3;
};

const mergeRow rows[] = {
    {"ours changed", "A:1;B:2", "A:1x;B:2", "A:1;B:2", "A:1x;B:2", 0, false},
    {"theirs changed", "A:1;B:2", "A:1;B:2", "A:1;B:2y", "A:1;B:2y", 0, false},
    {"both changed alike", "A:1", "A:9", "A:9", "A:9", 0, false},
    {"ours deleted", "A:1;B:2", "B:2", "A:1;B:2", "B:2", 0, false},
    {"theirs deleted", "A:1;B:2", "A:1;B:2", "A:1", "A:1", 0, false},
    {"both deleted", "A:1;B:2", "B:2", "B:2", "B:2", 0, false},
    {"each side added", "A:1", "A:1;N:o", "T:t;A:1", "T:t;A:1;N:o", 0, false},
    {"theirs adds after its neighbour", "A:1;B:2", "B:2;A:1", "A:1;T:t;B:2", "B:2;A:1;T:t", 0, false},
    {"both added alike", "A:1", "A:1;N:n", "A:1;N:n", "A:1;N:n", 0, false},
    {"lines apart merge", "A:1,2,3,4,5", "A:1x,2,3,4,5", "A:1,2,3,4,5y", "A:1x,2,3,4,5y", 0, false},
    {"header from theirs, line from ours", "A:1,2", "A:1,2o", "A+rev2:1,2", "A+rev2:1,2o", 0, false},
    {"one line two ways", "A:1,2,3;B:b", "A:1,2o,3;B:b", "A:1,2t,3;B:b",
     "A:1,<<<<<<< ours,2o,=======,2t,>>>>>>> theirs,3;B:b", 1, false},
    {"in diff3 style", "A:1,2,3", "A:1,2o,3", "A:1,2t,3",
     "A:1,<<<<<<< ours,2o,||||||| base,2,=======,2t,>>>>>>> theirs,3", 1, true},
    {"headers conflict", "A+r1:1", "A+r2:1", "A+r3:1",
     "A+r2:<<<<<<< ours, *symbol A r2,=======, *symbol A r3,>>>>>>> theirs,1", 1, false},
    {"deleted in theirs, changed in ours", "A:1;B:2", "A:1o;B:2", "B:2",
     "A:<<<<<<< ours,1o,=======,>>>>>>> theirs (deleted);B:2", 1, false},
    {"deleted in ours, changed in theirs", "A:1;B:2", "B:2", "A:1t;B:2",
     "A:<<<<<<< ours (deleted),=======,1t,>>>>>>> theirs;B:2", 1, false},
    {"added on both sides otherwise", "B:b", "B:b;N:1,2", "B:b;N:1,3",
     "B:b;N:<<<<<<< ours,1,2,=======,1,3,>>>>>>> theirs", 1, false},
    {"marker-like text merges as text", "A:=======,1", "A:=======,1o", "A:=======,1", "A:=======,1o", 0, false},
    {"two conflicts", "A:1;B:2", "A:1o;B:2o", "A:1t;B:2t",
     "A:<<<<<<< ours,1o,=======,1t,>>>>>>> theirs;B:<<<<<<< ours,2o,=======,2t,>>>>>>> theirs", 2, false},
};

class mergeRules : public inTempDir, public ::testing::WithParamInterface<mergeRow> {};

TEST_P(mergeRules, GiveTheLibraryCompressMakesOfTheMergedParts) {
    const mergeRow& row = GetParam();
    writeBytes("base.slb", library(row.base));
    writeBytes("ours.slb", library(row.ours));
    writeBytes("theirs.slb", library(row.theirs));
    int conflicts = -1;
    mergeRequest request{"base.slb", "ours.slb", "theirs.slb", "", "lib.slb", {7, row.diff3}};
    // A dry run writes nothing, and names each part it takes otherwise
    // than from ours (a conflict by its conflict line).
    runControl dry;
    dry.dryRun = true;
    memoryLog told;
    ASSERT_EQ(mergeLibraries(symbolKind, request, conflicts, told, &dry), opResult::done) << joinLines(told.lines);
    EXPECT_EQ(readBytes("ours.slb"), library(row.ours));
    EXPECT_EQ(conflicts, row.conflicts);
    const std::size_t said = told.lines.size() - 2;  // but "nothing written" and the closing line
    EXPECT_EQ(said == 0, std::string(row.merged) == row.ours) << joinLines(told.lines);
    memoryLog log;
    ASSERT_EQ(mergeLibraries(symbolKind, request, conflicts, log), opResult::done) << joinLines(log.lines);
    EXPECT_EQ(readBytes("ours.slb"), library(row.merged)) << readBytes("ours.slb");
    EXPECT_EQ(conflicts, row.conflicts);
    EXPECT_EQ(static_cast<int>(log.problems.size()), row.conflicts == 0 ? 0 : row.conflicts + 1) << joinLines(log.problems);
    // The merged library is whole; a conflict left in it is a finding.
    memoryLog verify;
    EXPECT_EQ(verifyFindings(symbolKind, "ours.slb", verify) != 0, row.conflicts != 0) << joinLines(verify.lines);
}

INSTANTIATE_TEST_SUITE_P(table, mergeRules, ::testing::ValuesIn(rows));

using mergeRefusals = inTempDir;

// A damaged input is refused with its reason, and ours stays as it was,
// so git reports a conflict and nothing is lost. An empty file is a library
// without parts: git's base when both sides added the file.
TEST_F(mergeRefusals, DamagedInputsAreRefusedAndEmptyFilesAreEmptyLibraries) {
    const std::string ours = library("A:1;B:2");
    std::string cut = library("A:1;B:2x");
    cut.resize(cut.size() - 2);
    const std::string conflicted = library("A:1,<<<<<<< ours,2,>>>>>>> theirs");
    for (const std::string& damaged : {cut, conflicted, std::string("not a library\n")}) {
        for (const char* role : {"base.slb", "ours.slb", "theirs.slb"}) {
            writeBytes("base.slb", library("A:1;B:2"));
            writeBytes("ours.slb", ours);
            writeBytes("theirs.slb", ours);
            writeBytes(role, damaged);
            memoryLog log;
            int conflicts = 0;
            EXPECT_EQ(mergeLibraries(symbolKind, {"base.slb", "ours.slb", "theirs.slb", "", "", {}}, conflicts, log),
                      opResult::damaged) << role;
            EXPECT_EQ(readBytes("ours.slb"), std::string(role) == "ours.slb" ? damaged : ours);
            ASSERT_EQ(log.problems.size(), 1u) << role;
            EXPECT_NE(log.problems[0].find("nothing written"), std::string::npos) << log.problems[0];
        }
    }
    writeBytes("base.slb", "");
    writeBytes("ours.slb", library("A:1"));
    writeBytes("theirs.slb", "");
    memoryLog log;
    int conflicts = 0;
    EXPECT_EQ(mergeLibraries(symbolKind, {"base.slb", "ours.slb", "theirs.slb", "out.slb", "", {}}, conflicts, log),
              opResult::done) << joinLines(log.lines);
    EXPECT_EQ(readBytes("out.slb"), library("A:1"));
    EXPECT_EQ(readBytes("ours.slb"), library("A:1"));
    writeBytes("ours.slb", "");
    EXPECT_EQ(mergeLibraries(symbolKind, {"base.slb", "ours.slb", "theirs.slb", "", "", {}}, conflicts, log),
              opResult::done) << joinLines(log.lines);
    EXPECT_EQ(readBytes("ours.slb"), library(""));
}

// A library as the model has it: names in order, each with its lines.
struct modelPart {
    std::string name;
    std::string lines;  // letters, one a line
};
using model = std::vector<modelPart>;

std::string specOf(const model& m) {
    std::string spec;
    for (const modelPart& p : m) {
        spec += (spec.empty() ? "" : ";") + p.name + ":";
        for (std::size_t i = 0; i < p.lines.size(); ++i) spec += (i ? "," : "") + std::string(1, p.lines[i]);
    }
    return spec;
}

// Changes to some of the parts whose names pass the filter: a line
// changed, a part deleted, a part added.
model changed(const model& base, std::mt19937& rng, bool (*mine)(const std::string&), const std::string& tag) {
    model out;
    for (const modelPart& p : base) {
        if (!mine(p.name) || rng() % 3 == 0) {
            out.push_back(p);
        } else if (rng() % 4 != 0) {
            modelPart q = p;
            q.lines[rng() % q.lines.size()] = static_cast<char>('a' + rng() % 26);
            out.push_back(q);
        }
    }
    if (rng() % 2 == 0) out.insert(out.begin() + static_cast<long>(rng() % (out.size() + 1)), {tag + "N", "xy"});
    return out;
}

model randomBase(std::mt19937& rng) {
    model m;
    const int parts = static_cast<int>(rng() % 6);
    for (int i = 0; i < parts; ++i) m.push_back({"P" + std::to_string(i), std::string(1 + rng() % 4, 'k')});
    return m;
}

std::string merged(const model& base, const model& ours, const model& theirs, int& conflicts) {
    writeBytes("b.slb", library(specOf(base)));
    writeBytes("o.slb", library(specOf(ours)));
    writeBytes("t.slb", library(specOf(theirs)));
    memoryLog log;
    mergeLibraries(symbolKind, {"b.slb", "o.slb", "t.slb", "m.slb", "", {}}, conflicts, log);
    return readBytes("m.slb");
}

using mergeLaws = inTempDir;

TEST_F(mergeLaws, HoldOnRandomLibraries) {
    std::mt19937 rng(20261208);
    const auto even = [](const std::string& n) { return n.back() % 2 == 0; };
    const auto odd = [](const std::string& n) { return n.back() % 2 == 1; };
    for (int round = 0; round < 60; ++round) {
        const model base = randomBase(rng);
        const model ours = changed(base, rng, even, "O"), theirs = changed(base, rng, odd, "T");
        int conflicts = -1;
        EXPECT_EQ(merged(base, ours, ours, conflicts), library(specOf(ours))) << specOf(ours);
        EXPECT_EQ(merged(base, base, theirs, conflicts), library(specOf(theirs))) << specOf(theirs);
        EXPECT_EQ(merged(base, ours, base, conflicts), library(specOf(ours))) << specOf(ours);
        // Sides that touch different parts: no conflict, every change of
        // each side in, nothing either kept missing.
        const std::string both = merged(base, ours, theirs, conflicts);
        EXPECT_EQ(conflicts, 0) << specOf(base) << " / " << specOf(ours) << " / " << specOf(theirs);
        const auto holds = [&](const modelPart& p) {
            std::string text = "*symbol " + p.name + "\n";
            for (char line : p.lines) text += std::string(1, line) + "\n";
            const std::size_t at = both.find(text);
            return at != std::string::npos && (at + text.size() == both.size() || both[at + text.size()] == '*');
        };
        const auto in = [](const model& m, const modelPart& p) {
            for (const modelPart& q : m) {
                if (q.name == p.name) return q.lines == p.lines;
            }
            return false;
        };
        for (const model* side : {&ours, &theirs}) {
            const model& other = side == &ours ? theirs : ours;
            for (const modelPart& p : *side) {
                // Changed or added by this side, or kept by both.
                if (!in(base, p) || in(other, p)) {
                    EXPECT_TRUE(holds(p)) << p.name << " in " << both;
                }
            }
        }
        for (const modelPart& p : base) {
            if (in(ours, p) != in(theirs, p)) continue;
            EXPECT_EQ(holds(p), in(ours, p)) << p.name << " in " << both;
        }
    }
}

}  // namespace
