// Writing never goes through a symbolic link, a written library reaches the
// disk before it replaces the old one, and a library another program holds
// open keeps its bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "support/fileOps.h"

namespace {

namespace fs = std::filesystem;

class fileSafetyTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    }
    std::vector<std::string> namesHere() {
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(".")) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    memoryLog log;
};

std::vector<std::string> events;
void record(const char* event, const std::string& path) {
    events.push_back(std::string(event) + " " + fs::path(path).filename().string());
}

TEST_F(fileSafetyTest, TheLibraryReachesTheDiskBeforeItReplacesTheOldOne) {
    events.clear();
    const fileOps::fileObserver before = fileOps::setFileObserver(record);
    EXPECT_EQ(expandLibrary(symbolKind, "lib.slb", log), opResult::done);
    EXPECT_EQ(compressLibrary(symbolKind, "lib.lst", "lib.slb", false, log), opResult::done);
    fileOps::setFileObserver(before);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], "sync lib.lst");
    EXPECT_EQ(events[1].rfind("sync veklib", 0), 0u) << events[1];
    EXPECT_EQ(events[2], "rename lib.slb");
    EXPECT_EQ(events[3].rfind("syncdir ", 0), 0u) << events[3];
}

TEST_F(fileSafetyTest, HostileNamesExpandToUsableFilesAndComeBack) {
    std::string index, data;
    for (const char* name : {"CON", "aux", "COM1", "A<B>", "Q|?*\"", "LPT9"}) {
        const std::string part = std::string("*symbol ") + name + "\nL\n";
        index += std::string("symloc ") + name + " " + std::to_string(data.size()) + " " + std::to_string(part.size()) + "\n";
        data += part;
    }
    writeBytes("hostile.slb", "*version 6.3 0\n@index\n" + index + data);
    ASSERT_EQ(expandLibrary(symbolKind, "hostile.slb", log), opResult::done);
    EXPECT_EQ(readBytes("hostile.lst"), platformText("COa.sym \tCON\naua.sym \taux\nCOMa.sym \tCOM1\nA_B_.sym \tA<B>\n"
                                                     "Q____.sym \tQ|?*\"\nLPTa.sym \tLPT9\n"));
    ASSERT_EQ(compressLibrary(symbolKind, "hostile.lst", "again.slb", false, log), opResult::done);
    const std::string again = readBytes("again.slb"), original = readBytes("hostile.slb");
    EXPECT_EQ(again.substr(again.find("@index")), original.substr(original.find("@index")));
}

#ifndef _WIN32
TEST_F(fileSafetyTest, LinksAreNeverWrittenThrough) {
    fs::create_directory("elsewhere");
    writeBytes("elsewhere/kept", "kept");
    fs::create_symlink("elsewhere/missing", "AND2.sym");  // dangling
    fs::create_symlink("elsewhere/kept", "RES.sym");
    fs::create_symlink("elsewhere/kept", "lib.lst");
    EXPECT_EQ(expandLibrary(symbolKind, "lib.slb", log), opResult::done);
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0] + "|" + log.lines[1], "Expand: Writing AND2    to    ANDa.sym|Expand: Writing RES    to    REa.sym");
    EXPECT_FALSE(fs::exists("elsewhere/missing"));
    EXPECT_EQ(readBytes("elsewhere/kept"), "kept");
    EXPECT_FALSE(fs::is_symlink("lib.lst"));
    EXPECT_EQ(readBytes("lib.lst"), "ANDa.sym \tAND2\nREa.sym \tRES\n");

    fs::create_symlink("elsewhere/kept", "out.slb");
    EXPECT_EQ(compressLibrary(symbolKind, "lib.lst", "out.slb", false, log), opResult::done);
    EXPECT_FALSE(fs::is_symlink("out.slb"));
    EXPECT_EQ(readBytes("out.slb"), readBytes("lib.slb"));
    EXPECT_EQ(readBytes("elsewhere/kept"), "kept");
}
#else
TEST_F(fileSafetyTest, AHeldLibraryKeepsItsBytes) {
    const std::string before = readBytes("lib.slb");
    HANDLE held = CreateFileA("lib.slb", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(bothLibrary(symbolKind, "lib.slb", log), opResult::failed);
    CloseHandle(held);
    EXPECT_EQ(log.lines[log.lines.size() - 1], "Compress: fatal error: can't write output file: lib.slb");
    EXPECT_EQ(readBytes("lib.slb"), before);
    EXPECT_EQ(namesHere(), (std::vector<std::string>{"AND2.sym", "RES.sym", "lib.lst", "lib.slb"}))
        << "no staging or work file stays";
}
#endif

}  // namespace
