// A compress that fails in any way must leave the output path as it was and
// delete nothing.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "common/fileText.h"
#include "common/limitedRun.h"
#include "common/testDir.h"
#include "engine/io/byteSource.h"
#include "engine/ops/compress.h"
#include "engine/format/libKind.h"
#include "support/fileOps.h"

namespace {

namespace fs = std::filesystem;

class compressFailureTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        writeText("and2.sym", "*symbol AND2 ako GATE2\nL1\nL2\n");
        writeText("parts.lst", "and2.sym\n");
    }
    int compress(const char* list, const char* out, int remove = 0) {
        return resultCode(compressLibrary(symbolKind, list, out, remove, log));
    }
    std::size_t filesHere() {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator("."), fs::directory_iterator()));
    }
    memoryLog log;
};

TEST_F(compressFailureTest, ErrorsLeaveAnExistingLibraryUntouched) {
    const std::string old = "*version 6.3 1\n@index\nold library\n";
    writeBytes("keep.slb", old);
    writeText("parts.lst", "and2.sym\nmissing.sym\n");
    EXPECT_EQ(compress("parts.lst", "keep.slb", 1), 0);
    EXPECT_EQ(readBytes("keep.slb"), old);
    EXPECT_TRUE(fileExists("and2.sym"));
    EXPECT_EQ(filesHere(), 3u);
}

// An index holds positions and lengths as signed 32-bit numbers: a data
// section one byte past what it can say is never written.
TEST_F(compressFailureTest, NoLibraryPastWhatTheIndexCanSay) {
    for (const long long limit : {28LL, 29LL}) {  // and2.sym stores 29 bytes
        writeBytes("out.slb", "old");
        compressSeams seams;
        seams.dataLimit = limit;
        compressProbe probe;
        probe.seams = &seams;
        memoryLog run;
        EXPECT_EQ(compressLibrary(symbolKind, "parts.lst", "out.slb", false, run, &probe), limit < 29 ? opResult::failed : opResult::done);
        EXPECT_EQ(run.problems, limit < 29 ? std::vector<std::string>{"out.slb: " + std::string(std::strerror(EFBIG))}
                                           : std::vector<std::string>{});
        EXPECT_EQ(readBytes("out.slb") == "old", limit < 29);
        EXPECT_EQ(filesHere(), 3u);
    }
}

// The rename that puts the staged library in place fails (a folder took
// the output's name meanwhile): a fatal error, and no staging file stays.
TEST_F(compressFailureTest, AFailedRenameIsFatalAndLeavesNoStagingFile) {
    writeBytes("out.slb", "old");
    const fileOps::fileObserver before = fileOps::setFileObserver([](const char* event, const std::string& path) {
        if (std::string(event) != "rename") return;
        fs::remove(path);
        fs::create_directory(path);
        writeBytes(path + "/inside", "x");
    });
    EXPECT_EQ(compress("parts.lst", "out.slb"), 1);
    fileOps::setFileObserver(before);
    EXPECT_EQ(log.lines.back(), "Compress: fatal error: can't write output file: out.slb");
    EXPECT_TRUE(fs::is_directory("out.slb"));
    EXPECT_EQ(filesHere(), 3u) << "and2.sym, parts.lst and the folder";
}

struct openFailure {
    const char* list;
    const char* out;
    const char* log;
};

class compressOpenFailures : public compressFailureTest, public ::testing::WithParamInterface<openFailure> {};

TEST_P(compressOpenFailures, LogTheReasonAndTouchNothing) {
    writeBytes("ro.slb", "precious");
    setReadOnly("ro.slb", true);
    writeText("ro.lst", "and2.sym\n");
    setReadOnly("ro.lst", true);
    fs::create_directory("dir.slb");
    EXPECT_EQ(compress(GetParam().list, GetParam().out), 1);
    EXPECT_EQ(joinLines(log.lines), GetParam().log);
    EXPECT_EQ(readBytes("ro.slb"), "precious");
    EXPECT_EQ(filesHere(), 5u) << "no workfile, staging file or output stays behind";
}

INSTANTIATE_TEST_SUITE_P(Cases, compressOpenFailures, ::testing::Values(
    openFailure{"parts.lst", "no-dir/out.slb", "Compress: fatal error: can't open output file: no-dir/out.slb\n"},
    openFailure{"parts.lst", "ro.slb", "Compress: fatal error: can't open output file: ro.slb\n"},
    openFailure{"parts.lst", "", "Compress: fatal error: can't open output file: \n"},
    openFailure{"parts.lst", "dir.slb", "Compress: fatal error: can't open output file: dir.slb\n"},
    openFailure{"nolist.lst", "out.slb", "Compress: fatal error: can't open list file: nolist.lst\n"},
    openFailure{"ro.lst", "out.slb", "Compress: fatal error: can't open list file: ro.lst\n"},
    openFailure{"nolist.lst", "no-dir/x.slb",
                "Compress: fatal error: can't open output file: no-dir/x.slb\n"
                "Compress: fatal error: can't open list file: nolist.lst\n"}));

// A part file too large to be read in one go is read a block at a time: a
// read that fails after the first block fails the compress; the part is
// never stored cut short.
TEST_F(compressFailureTest, AReadErrorInsideALargePartFileIsFatal) {
    std::string big = "*symbol BIG\n";
    while (big.size() < (3 << 19)) big += std::string(99, 'b') + "\n";
    writeText("big.sym", big);
    writeText("big.lst", "big.sym\n");
    int failures = 0;
    for (long long n = 1;; ++n) {
        fileSource::failReadAt(n);
        memoryLog run;
        const opResult result = compressLibrary(symbolKind, "big.lst", "out.slb", false, run);
        if (fileSource::failReadAt(0) != 0) break;
        ++failures;
        EXPECT_FALSE(fileExists("out.slb")) << "read " << n << ": " << joinLines(run.lines);
        EXPECT_NE(joinLines(run.lines).find("fatal error: can't "), std::string::npos) << "read " << n;
        EXPECT_EQ(result == opResult::done, joinLines(run.lines).find("can't read: big.sym") != std::string::npos) << n;
    }
    EXPECT_GT(failures, 3) << "the list, the part's blocks and the workfile";
}

#ifndef _WIN32
// A folder opened for reading fails at its first read: no end of file.
TEST(fileSource, AReadErrorIsNoEnd) {
    std::FILE* folder = std::fopen(".", "rb");
    ASSERT_NE(folder, nullptr);
    fileSource source(folder);
    char byte;
    EXPECT_EQ(source.read(&byte, 1), 0u);
    EXPECT_TRUE(source.failed());
    EXPECT_EQ(source.failure(), EISDIR);
    std::fclose(folder);
}

limitedRun compressWithFileLimit(unsigned long limit, const char* out) {
    return runWithFileLimit(limit, [out](logSink& log) {
        return resultCode(compressLibrary(symbolKind, "parts.lst", out, 1, log));
    });
}

TEST_F(compressFailureTest, FullDiskWhileCollectingComponents) {
    writeText("big.sym", "*symbol BIG\n" + std::string(900, 'b') + "\n" + std::string(900, 'c') + "\n");
    writeText("parts.lst", "and2.sym\nbig.sym\n");
    writeBytes("out.slb", "old");
    limitedRun r = compressWithFileLimit(1000, "out.slb");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.log, "Compress: got symbol \"AND2\"\nCompress: got symbol \"BIG\"\n"
                     "Compress: fatal error: can't write output file: out.slb\n");
    EXPECT_EQ(readBytes("out.slb"), "old");
    EXPECT_TRUE(fileExists("big.sym"));
    EXPECT_EQ(filesHere(), 4u);
}

// Kills compress at its n-th stop, in a child process, and tells whether it
// got that far.
int stopAt = 0;
int stopsSeen = 0;
void stopHere(const char*) {
    if (++stopsSeen == stopAt) _exit(42);
}

bool crashAtStop(int n) {
    pid_t pid = fork();
    if (pid == 0) {
        stopAt = n;
        compressSeams seams;
        seams.reached = stopHere;
        compressProbe probe;
        probe.seams = &seams;
        memoryLog log;
        compressLibrary(symbolKind, "parts.lst", "out.slb", true, log, &probe);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 42;
}

TEST_F(compressFailureTest, CrashLeavesTheOldOrTheWholeNewLibrary) {
    std::string list;
    for (int i = 0; i < 5; ++i) {
        const std::string name = "c" + std::to_string(i) + ".sym";
        writeText(name, "*symbol C" + std::to_string(i) + "\nbody\n");
        list += name + "\n";
    }
    writeText("parts.lst", list);
    std::vector<std::string> originals;
    for (int i = 0; i < 5; ++i) originals.push_back(readBytes("c" + std::to_string(i) + ".sym"));
    ASSERT_EQ(compress("parts.lst", "new.slb"), 0);
    const std::string fresh = readBytes("new.slb");
    fs::remove("new.slb");
    const std::string old = "*version 6.3 1\n@index\nold\n";

    int stop = 1;
    for (; stop < 20; ++stop) {
        writeBytes("out.slb", old);
        for (int i = 0; i < 5; ++i) writeBytes("c" + std::to_string(i) + ".sym", originals[static_cast<std::size_t>(i)]);
        if (!crashAtStop(stop)) break;
        const std::string now = readBytes("out.slb");
        EXPECT_TRUE(now == old || now == fresh) << "stop " << stop;
        if (now == old) {
            EXPECT_TRUE(fileExists("c0.sym")) << "stop " << stop;
        }
    }
    EXPECT_EQ(stop, 9) << "5 components, staged, replaced, removed, then a normal end";
    EXPECT_EQ(readBytes("out.slb"), fresh);
}

#endif

}  // namespace
