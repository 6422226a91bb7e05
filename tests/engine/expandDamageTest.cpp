// A damaged library never crashes expand and never makes it write outside
// the current folder: every cut and every flipped byte ends in the usual
// messages or a clean fatal error.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/expand.h"
#include "engine/libKind.h"

namespace {

namespace fs = std::filesystem;

class expandDamageTest : public inTempDir {
protected:
    // Expands bytes in a fresh sub-folder and checks the ending of the log.
    void expandIn(const std::string& bytes, const std::string& what) {
        fs::path sub = fs::path(dir) / ("run" + std::to_string(runs++));
        fs::create_directory(sub);
        fs::current_path(sub);
        writeBytes("lib.slb", bytes);
        memoryLog log;
        const int r = expandLibrary(DLG_BUTTON1, "lib.slb", log);
        ASSERT_FALSE(log.lines.empty()) << what;
        if (r == 0) {
            EXPECT_EQ(log.lines.back(), "") << what;
            EXPECT_EQ(log.lines[log.lines.size() - 2], "Expand: --- DONE ---") << what;
        } else {
            EXPECT_NE(log.lines.back().find("fatal error"), std::string::npos) << what;
        }
        fs::current_path(dir);
        fs::remove_all(sub);
    }
    int runs = 0;
};

TEST_F(expandDamageTest, EveryTruncation) {
    const std::string lib = readBytes(dataFile("example.slb"));
    for (std::size_t n = 0; n <= lib.size(); ++n) expandIn(lib.substr(0, n), "cut at " + std::to_string(n));
    EXPECT_EQ(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST_F(expandDamageTest, RandomDamage) {
    const std::string lib = readBytes(dataFile("example.slb"));
    std::mt19937 rng(2026);
    for (int round = 0; round < 300; ++round) {
        std::string damaged = lib;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f) {
            damaged[rng() % damaged.size()] = static_cast<char>(rng() % 256);
        }
        expandIn(damaged, "round " + std::to_string(round));
    }
    EXPECT_EQ(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST_F(expandDamageTest, HostileNamesStayInTheFolder) {
    expandIn("*version 6.3 0\n@index\n*symbol ../../escape\nL\n*symbol /abs/path\n*symbol C:\\x\\y\n", "names");
    EXPECT_FALSE(fileExists(fs::path(dir).parent_path().string() + "/escape.sym"));
}

}  // namespace
