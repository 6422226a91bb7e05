#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>

#include "common/fileText.h"
#include "common/testDir.h"
#include "support/fileOps.h"

namespace {

using fileOpsTest = inTempDir;

TEST_F(fileOpsTest, ReadOnlyFileRefusesEveryWritingMode) {
    writeBytes("ro.txt", "keep");
    setReadOnly("ro.txt", true);
    for (const char* mode : {"w", "wb", "r+", "r+b", "a"}) {
        std::FILE* f = fileOps::open("ro.txt", mode);
        EXPECT_EQ(f, nullptr) << mode;
        if (f) std::fclose(f);
    }
    std::FILE* f = fileOps::open("ro.txt", "r");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(readBytes("ro.txt"), "keep");
    EXPECT_FALSE(fileOps::writable("ro.txt"));
}

TEST_F(fileOpsTest, TempFileInMissingFolderFailsWithName) {
    std::string name;
    EXPECT_EQ(fileOps::createTemp("no-such-dir", "vekt", name), nullptr);
    EXPECT_NE(name.find("no-such-dir"), std::string::npos);
}

TEST_F(fileOpsTest, ReplaceKeepsTargetPermissions) {
    writeBytes("target", "old");
    namespace fs = std::filesystem;
    fs::permissions("target", fs::perms::owner_read | fs::perms::owner_write);
    writeBytes("new", "fresh");
    ASSERT_TRUE(fileOps::replace("new", "target"));
    EXPECT_EQ(readBytes("target"), "fresh");
    EXPECT_FALSE(fileExists("new"));
#ifndef _WIN32
    EXPECT_EQ(fs::status("target").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif
}

// A reader lets others move the file it reads away (on Windows the C
// library's own fopen would not), and goes on with the old bytes. A replace
// that fails says why in the system's words, never "Success".
TEST_F(fileOpsTest, AReaderLetsTheFileBeMovedAway) {
    writeBytes("lib", "old");
    writeBytes("new", "fresh");
    std::FILE* reading = fileOps::open("lib", "rb");
    ASSERT_NE(reading, nullptr);
    std::error_code ec;
    std::filesystem::rename("lib", "lib.old", ec);
    EXPECT_FALSE(ec) << ec.message();
    EXPECT_TRUE(fileOps::replace("new", "lib")) << fileOps::lastReason();
    char got[4] = {};
    EXPECT_EQ(std::fread(got, 1, 3, reading), 3u);
    EXPECT_STREQ(got, "old");
    std::fclose(reading);
    EXPECT_EQ(readBytes("lib"), "fresh");
    errno = 0;
    EXPECT_FALSE(fileOps::replace("missing", "lib"));
    const std::string why = fileOps::lastReason();
    for (const char* stale : {"", "Success", "No error", "unknown error"}) EXPECT_NE(why, stale);
    EXPECT_EQ(fileOps::systemReason(0), "unknown error");
}

}  // namespace
