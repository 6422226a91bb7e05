#include <gtest/gtest.h>

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

}  // namespace
