// A damaged library never crashes expand and never makes it write outside
// the current folder: every cut and every flipped byte ends in the usual
// messages or a clean fatal error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"
#include "engine/format/libKind.h"

namespace {

namespace fs = std::filesystem;

class expandDamageTest : public inTempDir {
protected:
    // Expands bytes from memory in a fresh sub-folder, verifies them, and
    // checks the ending of both logs.
    void expandIn(const std::string& bytes, const std::string& what, const std::string& mustLog = "") {
        fs::path sub = fs::path(dir) / ("run" + std::to_string(runs++));
        fs::create_directory(sub);
        fs::current_path(sub);
        memorySource library(bytes);
        memoryLog log;
        const int r = resultCode(expandLibrary(symbolKind, library, "lib.lst", log));
        ASSERT_FALSE(log.lines.empty()) << what;
        if (!mustLog.empty()) {
            EXPECT_NE(std::find(log.lines.begin(), log.lines.end(), mustLog), log.lines.end())
                << what << " should log " << mustLog;
        }
        if (r == 0) {
            EXPECT_EQ(log.lines.back(), "") << what;
            EXPECT_EQ(log.lines[log.lines.size() - 2], "Expand: --- DONE ---") << what;
        } else {
            EXPECT_NE(log.lines.back().find("fatal error"), std::string::npos) << what;
        }
        memoryLog verifyLog;
        library.rewind();
        verifyLibrary(symbolKind, library, verifyLog);
        ASSERT_FALSE(verifyLog.lines.empty()) << what;
        EXPECT_EQ(verifyLog.lines.back().rfind("Verify: ", 0), 0u) << what;
        fs::current_path(dir);
        fs::remove_all(sub);
        EXPECT_EQ(fs::directory_iterator(dir), fs::directory_iterator()) << what;
    }
    int runs = 0;
};

TEST_F(expandDamageTest, EveryCutEveryFlipAndRandomDamage) {
    const std::string lib = readBytes(dataFile("example.slb"));
    for (std::size_t n = 0; n <= lib.size(); ++n) expandIn(lib.substr(0, n), "cut at " + std::to_string(n));
    for (std::size_t i = 0; i < lib.size(); ++i) {
        for (int mask : {0x01, 0x20, 0xFF}) {
            std::string damaged = lib;
            damaged[i] = static_cast<char>(damaged[i] ^ mask);
            expandIn(damaged, "byte " + std::to_string(i) + " ^ " + std::to_string(mask));
        }
    }
    // Wider random damage is the fuzzers' work; a few rounds keep the shape.
    std::mt19937 rng(2026);
    for (int round = 0; round < 20; ++round) {
        std::string damaged = lib;
        for (int f = 0, flips = 1 + static_cast<int>(rng() % 4); f < flips; ++f) {
            damaged[rng() % damaged.size()] = static_cast<char>(rng() % 256);
        }
        expandIn(damaged, "round " + std::to_string(round));
    }
}

struct hostileCase {
    const char* what;
    std::string bytes;
    std::string mustLog;
};

std::string withIndexLine(const std::string& line) {
    return "*version 6.3 0\n@index\n" + line + "\n*symbol A\nL1\n";
}

TEST_F(expandDamageTest, HostileLibraries) {
    const std::string nul("A\0B", 3);
    const std::string badIndex = "Expand: symbol A has bad index ";
    const std::string notInIndex = "Expand: symbol A not in index";
    const std::string noneFound = "Expand: fatal error: no symbols found in library";
    const std::string noIndex = "Expand: fatal error: no index";
    const std::string tooLong = "Expand: internal error: buf too small";
    const std::vector<hostileCase> cases = {
        {"huge position", withIndexLine("symloc A 99999999999999999999999 13"), badIndex + "(position)"},
        {"huge length", withIndexLine("symloc A 0 99999999999999999999999"), badIndex + "(length)"},
        {"negative", withIndexLine("symloc A -2147483648 -1"), badIndex + "(length + position)"},
        {"non-numeric", withIndexLine("symloc A zero thirteen"), notInIndex},
        {"hex", withIndexLine("symloc A 0x10 0x20"), notInIndex},
        {"index 1022", withIndexLine("symloc A 0 13 " + std::string(1022 - 14, 'e')), "Expand: Writing A    to    A.sym"},
        {"index 1023", withIndexLine("symloc A 0 13 " + std::string(1023 - 14, 'e')), noneFound},
        {"index 1024", withIndexLine("symloc A 0 13 " + std::string(1024 - 14, 'e')), noneFound},
        {"data 1022", withIndexLine("symloc A 0 13") + std::string(1022, 'd') + "\n", badIndex + "(length)"},
        {"data 1023", withIndexLine("symloc A 0 13") + std::string(1023, 'd') + "\n", tooLong},
        {"data 1024", withIndexLine("symloc A 0 13") + std::string(1024, 'd') + "\nL\n", tooLong},
        {"header 1024", withIndexLine("symloc A 0 13") + "*symbol " + std::string(1016, 'n') + "\n", tooLong},
        {"nul in name", withIndexLine("symloc " + nul + " 0 13") + "*symbol " + nul + "\n", notInIndex},
        {"nul in data", withIndexLine("symloc A 0 13") + nul + "\n", badIndex + "(length)"},
        {"only nuls", std::string(200, '\0'), noIndex},
        {"crs only", std::string(3000, '\r'), noIndex},
        {"keyword only", "@index\n*symbol", noneFound},
    };
    for (const hostileCase& c : cases) expandIn(c.bytes, c.what, c.mustLog);
}

// A part cut short, under each policy and on either thread: written or not,
// named or not, the same log either way.
TEST_F(expandDamageTest, CutPartsByPolicyOnEitherThread) {
    const std::string lib = readBytes(dataFile("example.slb"));
    const std::string cut = lib.substr(0, lib.size() - 1);
    for (const cutPartPolicy policy : {cutPartPolicy::writeSilently, cutPartPolicy::writeNamed, cutPartPolicy::leaveOut}) {
        std::vector<std::string> logs[2];
        for (const bool behind : {false, true}) {
            const fs::path sub = fs::path(dir) / ("policy" + std::to_string(runs++));
            fs::create_directory(sub);
            fs::current_path(sub);
            memorySource library(cut);
            memoryLog log;
            runControl control;
            control.cutParts = policy;
            control.findingsFail = policy == cutPartPolicy::leaveOut;
            control.writeBehind = behind;
            EXPECT_EQ(expandLibrary(symbolKind, library, "lib.lst", log, &control),
                      control.findingsFail ? opResult::damaged : opResult::done);
            EXPECT_EQ(fileExists("RES.sym"), policy != cutPartPolicy::leaveOut);
            EXPECT_EQ(readBytes("lib.lst").find("RES.sym") != std::string::npos, policy != cutPartPolicy::leaveOut);
            const std::string named = policy == cutPartPolicy::leaveOut
                                          ? "RES is cut short by the library's end: not written"
                                          : "RES is cut short by the library's end: written as far as it goes";
            const bool said = std::find(log.lines.begin(), log.lines.end(), "Expand: " + named) != log.lines.end();
            EXPECT_EQ(said, policy != cutPartPolicy::writeSilently);
            EXPECT_EQ(log.problems.size(), policy == cutPartPolicy::writeSilently ? 0u : policy == cutPartPolicy::leaveOut ? 2u : 1u);
            logs[behind] = log.lines;
            fs::current_path(dir);
        }
        EXPECT_EQ(logs[0], logs[1]);
    }
}

}  // namespace
