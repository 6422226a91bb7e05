// Grep over parts' texts: what each form of request prints, and the status.
#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/grep.h"

namespace {

using lines = std::vector<std::string>;
using syntax = grepRequest::syntax;

struct grepCase {
    const char* what;
    grepRequest request;
    lines libraries;
    grepResult result;
    lines out;
};

std::ostream& operator<<(std::ostream& o, const grepCase& c) { return o << c.what; }

grepRequest req(const char* pattern, syntax how = syntax::basic, bool icase = false, bool parts = false, bool count = false) {
    grepRequest r;
    r.pattern = pattern;
    r.how = how;
    r.ignoreCase = icase;
    r.partsOnly = parts;
    r.count = count;
    return r;
}

class grepTest : public inTempDir, public ::testing::WithParamInterface<grepCase> {};
using grepTestDir = inTempDir;

TEST_P(grepTest, PrintsAsGitGrep) {
    const std::string example = readBytes(dataFile("example.slb"));
    writeBytes("a.slb", example);
    writeBytes("b.slb", libraryOf({"*symbol NOR1\nL3 here\nl4\n"}));
    writeBytes("cut.slb", example.substr(0, example.size() - 1));
    const grepCase& c = GetParam();
    memoryLog out, log;
    EXPECT_EQ(grepLibraries(symbolKind, c.libraries, c.request, out, log), c.result) << c.what;
    EXPECT_EQ(out.lines, c.out) << c.what;
    EXPECT_EQ(log.problems.empty(), c.result != grepResult::error) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Rows, grepTest, ::testing::Values(
    grepCase{"a fixed string, header line 1", req("RES", syntax::fixed), {"a.slb"}, grepResult::matched,
             {"a.slb:RES:1:*symbol RES,R1;X resistor part"}},
    grepCase{"a basic pattern over two libraries", req("^L[0-9]$"), {"a.slb", "b.slb"}, grepResult::matched,
             {"a.slb:AND2:2:L1", "a.slb:AND2:3:L2", "a.slb:RES:2:L3"}},
    grepCase{"an extended pattern", req("L(1|3)( |$)", syntax::extended), {"a.slb", "b.slb"}, grepResult::matched,
             {"a.slb:AND2:2:L1", "a.slb:RES:2:L3", "b.slb:NOR1:2:L3 here"}},
    grepCase{"either case", req("l3", syntax::fixed, true), {"b.slb"}, grepResult::matched, {"b.slb:NOR1:2:L3 here"}},
    grepCase{"either case, a pattern", req("^L4$", syntax::basic, true), {"b.slb"}, grepResult::matched, {"b.slb:NOR1:3:l4"}},
    grepCase{"the parts only", req("L", syntax::fixed, false, true), {"a.slb", "b.slb"}, grepResult::matched,
             {"a.slb:AND2", "a.slb:RES", "b.slb:NOR1"}},
    grepCase{"counts", req("L[0-9]", syntax::basic, false, false, true), {"a.slb"}, grepResult::matched,
             {"a.slb:AND2:2", "a.slb:RES:1"}},
    // Lines are looked at only when they hold what every match must hold:
    // never more than that.
    grepCase{"a quantifier after a plain character", req("L12*$"), {"a.slb"}, grepResult::matched, {"a.slb:AND2:2:L1"}},
    grepCase{"a bracket", req("L[13]$"), {"a.slb"}, grepResult::matched, {"a.slb:AND2:2:L1", "a.slb:RES:2:L3"}},
    grepCase{"alternatives", req("L2|here", syntax::extended), {"a.slb", "b.slb"}, grepResult::matched,
             {"a.slb:AND2:3:L2", "b.slb:NOR1:2:L3 here"}},
    grepCase{"nothing matches", req("SO8", syntax::fixed), {"a.slb", "b.slb"}, grepResult::none, {}},
    grepCase{"a damaged library: searched, then an error", req("L", syntax::fixed), {"cut.slb"}, grepResult::error,
             {"cut.slb:AND2:2:L1", "cut.slb:AND2:3:L2"}},
    grepCase{"a missing library", req("L", syntax::fixed), {"none.slb", "b.slb"}, grepResult::error,
             {"b.slb:NOR1:2:L3 here"}},
    grepCase{"no regular expression", req("[", syntax::basic), {"a.slb"}, grepResult::error, {}}));

// The Library window searches on a thread of its own: progress counts the
// parts searched, and a stop ends the search before the next part.
TEST_F(grepTestDir, ProgressCountsPartsAndAStopEndsTheSearch) {
    writeBytes("a.slb", readBytes(dataFile("example.slb")));
    for (int stopAfter : {0, 1, 2}) {
        std::atomic<int> stop{stopAfter == 0 ? 1 : 0};
        struct seen {
            std::vector<long long> counts;
            std::atomic<int>* stop;
            int after;
        } state{{}, &stop, stopAfter};
        runControl control;
        control.stop = &stop;
        control.context = &state;
        control.progress = [](void* c, long long done, long long total) {
            auto* s = static_cast<seen*>(c);
            s->counts.push_back(done * 10 + total);
            if (done == s->after) *s->stop = 1;
        };
        memoryLog out, log;
        grepLibraries(symbolKind, {"a.slb"}, req("L", syntax::fixed, false, true), out, log, &control);
        std::vector<long long> expected;
        for (int k = 1; k <= stopAfter; ++k) expected.push_back(k * 10);
        EXPECT_EQ(state.counts, expected) << stopAfter;
        EXPECT_EQ(out.lines.size(), static_cast<std::size_t>(stopAfter)) << stopAfter;
    }
}

}  // namespace
