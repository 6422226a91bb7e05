// Failures injected on purpose: a read that fails at the n-th call, a disk
// that fills at the n-th byte. Every run ends in success or a clean error;
// a library is left old or new, never mixed, and no temporary file stays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "common/fileText.h"
#include "common/limitedRun.h"
#include "common/testDir.h"
#include "engine/io/byteSource.h"
#include "engine/ops/both.h"
#include "engine/format/checksum.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"
#include "engine/ops/merge.h"
#include "engine/ops/parts.h"
#include "engine/format/libKind.h"

namespace {

// The tool's both: a verified library's checksum is taken over while the
// rebuilt bytes repeat it.
int bothGuarded(logSink& log) {
    runControl guarded;
    guarded.refuseDamage = true;
    return resultCode(bothLibrary(symbolKind, "lib.slb", log, &guarded));
}

class expandFailureTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        const std::string body(1000, 'b');
        data = "*symbol SMALL\nL\n*symbol BIG\n" + body + "\n" + body + "\n" + body + "\n";
        const auto sum = checksumUpdate(checksumStart, reinterpret_cast<const unsigned char*>(data.data()), data.size());
        library = "*version 6.3 " + std::to_string(sum) + "\n@index\nsymloc SMALL 0 16\nsymloc BIG 16 3015\n" + data;
        writeBytes("lib.slb", library);
    }
    std::string data;
    std::string library;
};

TEST_F(expandFailureTest, LongPathsAndNamesAreLoggedWhole) {
    const std::string path(3000, 'p');
    memoryLog log;
    EXPECT_EQ(expandLibrary(symbolKind, path.c_str(), log), opResult::failed);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open library: " + path});
}

#ifndef _WIN32
TEST_F(expandFailureTest, FullDiskWhileWritingAComponent) {
    limitedRun r = runWithFileLimit(2500, [](logSink& log) {
        return resultCode(expandLibrary(symbolKind, "lib.slb", log));
    });
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.log, "Expand: Writing SMALL    to    SMALL.sym\nExpand: Writing BIG    to    BIG.sym\n"
                     "Expand: fatal error: can't write: BIG.sym\n");
}

// The guarded both writes its workfile past the limit, then finds that the
// rebuild ends short of the verified library: the full disk is what it
// tells, not the short read-back of what never reached the workfile.
TEST_F(expandFailureTest, FullDiskBeforeTheRebuildEndsShortOfTheVerifiedLibrary) {
    std::vector<std::string> parts(5);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i] = "*symbol P" + std::to_string(i) + "\n";
        for (int line = 0; line < 800; ++line) parts[i] += std::string(60, 'p') + "\n";
    }
    parts[4] += "\n";  // an empty last line, dropped: the rebuild ends short of the library
    writeBytes("lib.slb", libraryOf(parts));
    const limitedRun r = runWithFileLimit(100000, [](logSink& log) {
        memoryLog inner;
        const int result = bothGuarded(inner);
        for (const std::string& problem : inner.problems) log.addLine(problem);
        return result;
    });
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.log, "lib.slb: " + std::string(std::strerror(EFBIG)) + "\n");
}

#endif

// Compress as the tool judges it: errors counted are a failure.
int compressCountingErrors(logSink& log) {
    compressProbe probe;
    const int result = resultCode(compressLibrary(symbolKind, "parts.lst", "lib.slb", false, log, &probe));
    return result == 0 && probe.errors != 0 ? 1 : result;
}

// A merge of lib.slb with a library whose SMALL another side changed: the
// result is that library, read from three files on three threads.
int mergeTheirsSmall(logSink& log) {
    const std::string ours = readBytes("lib.slb"), bigPart = ours.substr(ours.find("*symbol BIG"));
    writeBytes("base.slb", ours);
    writeBytes("theirs.slb", libraryOf({"*symbol SMALL\nL\nT\n", bigPart}));
    int conflicts = 0;
    return resultCode(mergeLibraries(symbolKind, {"base.slb", "lib.slb", "theirs.slb", "", "", {}}, conflicts, log));
}

struct writingRun {
    const char* what;
    std::function<int(logSink&)> run;
};

// Every run starts from the same files: the library, its parts as files, a
// new part and a list naming them.
class faultSweep : public expandFailureTest, public ::testing::WithParamInterface<writingRun> {
protected:
    void SetUp() override {
        expandFailureTest::SetUp();
        writeText("new.sym", "*symbol NEW\nN1\n");
        writeText("parts.lst", "SMALL.sym\nBIG.sym\nnew.sym\n");
        writeText("SMALL.sym", "*symbol SMALL\nL\n");
        writeText("BIG.sym", "*symbol BIG\n" + std::string(1500, 'b') + "\n");
        small = readBytes("SMALL.sym");
        big = readBytes("BIG.sym");
        memoryLog log;
        ASSERT_EQ(GetParam().run(log), 0) << joinLines(log.lines);
        fresh = readBytes("lib.slb");
    }
    void restore() {
        writeBytes("lib.slb", library);
        writeBytes("SMALL.sym", small);
        writeBytes("BIG.sym", big);
    }
    static void expectNoTemporaryFile(const std::string& when) {
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            EXPECT_NE(entry.path().extension(), ".tmp") << when << " left " << entry.path();
        }
    }
    std::string small, big, fresh;
};

using diskFailsAtEveryRead = faultSweep;

TEST_P(diskFailsAtEveryRead, EndsInAnErrorOrTheWholeResult) {
    for (long long n = 1;; ++n) {
        ASSERT_LT(n, 100) << "the run never got past the failing read";
        restore();
        fileSource::failReadAt(n);
        memoryLog log;
        const int result = GetParam().run(log);
        const bool failed = fileSource::failReadAt(0) == 0;
        const std::string now = readBytes("lib.slb");
        expectNoTemporaryFile("read " + std::to_string(n));
        if (!failed) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(now == fresh);
            EXPECT_GT(n, 1);
            break;
        }
        EXPECT_TRUE(result != 0 ? now == library : now == fresh) << "read " << n;
        // A workfile that cannot be read back is the output that cannot be
        // written; the guard counts a read error among verify's findings. A
        // failed comparison with the verified library only costs the short
        // cut: the whole result, checked above.
        const std::string said = joinLines(log.lines);
        EXPECT_TRUE(result == 0 || said.find("can't read") != std::string::npos ||
                    said.find("fatal error: can't write") != std::string::npos ||
                    said.find("fatal error: library not changed: 1 finding(s)") != std::string::npos)
            << "read " << n << said;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, diskFailsAtEveryRead, ::testing::Values(
    writingRun{"compress", compressCountingErrors},
    writingRun{"add", [](logSink& log) { return resultCode(addParts(symbolKind, "lib.slb", {"new.sym"}, log)); }},
    writingRun{"delete", [](logSink& log) { return resultCode(deleteParts(symbolKind, "lib.slb", {"SMALL"}, log)); }},
    writingRun{"both", [](logSink& log) { return resultCode(bothLibrary(symbolKind, "lib.slb", log)); }},
    writingRun{"bothGuarded", bothGuarded},
    writingRun{"expand", [](logSink& log) { return resultCode(expandLibrary(symbolKind, "lib.slb", log)); }},
    writingRun{"verify", [](logSink& log) { return verifyLibrary(symbolKind, "lib.slb", log); }},
    writingRun{"merge", mergeTheirsSmall}),
    [](const ::testing::TestParamInfo<writingRun>& i) { return std::string(i.param.what); });

#ifndef _WIN32
using diskFillsAtEveryByte = faultSweep;

TEST_P(diskFillsAtEveryByte, LeavesTheOldOrTheNewLibraryAndNoTemporaryFile) {
    for (unsigned long limit = 0; limit <= fresh.size() + 16; limit += limit < 40 ? 1 : 37) {
        restore();
        const limitedRun r = runWithFileLimit(limit, GetParam().run);
        const std::string now = readBytes("lib.slb");
        EXPECT_TRUE(now == library || now == fresh) << "limit " << limit;
        if (r.result == 0) {
            EXPECT_EQ(now, fresh) << "limit " << limit;
        } else {
            EXPECT_NE(r.log.find("fatal error"), std::string::npos) << "limit " << limit << r.log;
        }
        expectNoTemporaryFile("limit " + std::to_string(limit));
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, diskFillsAtEveryByte, ::testing::Values(
    writingRun{"compress", compressCountingErrors},
    writingRun{"add", [](logSink& log) { return resultCode(addParts(symbolKind, "lib.slb", {"new.sym"}, log)); }},
    writingRun{"delete", [](logSink& log) { return resultCode(deleteParts(symbolKind, "lib.slb", {"SMALL"}, log)); }},
    writingRun{"both", [](logSink& log) { return resultCode(bothLibrary(symbolKind, "lib.slb", log)); }}),
    [](const ::testing::TestParamInfo<writingRun>& i) { return std::string(i.param.what); });
#endif

// Gives the bytes a few at a time and fails at its n-th read, as a disk
// with a bad sector would.
class failingSource : public byteSource {
public:
    failingSource(const std::string& b, int failAt) : bytes(b), failing(failAt) {}
    std::size_t read(char* buffer, std::size_t size) override {
        if (++reads == failing) {
            error = EIO;
            return 0;
        }
        return inner.read(buffer, std::min<std::size_t>(size, 97));
    }
    bool seek(long long offset) override {
        error = 0;
        return inner.seek(offset);
    }
    int reads = 0;

private:
    std::string bytes;
    memorySource inner{bytes};
    int failing;
};

TEST_F(expandFailureTest, AReadErrorAnywhereIsFatalNeverAnEnd) {
    const std::string reason = "can't read library: library: " + std::string(std::strerror(EIO));
    for (int n = 1;; ++n) {
        failingSource source(library, n);
        memoryLog log;
        const int result = resultCode(expandLibrary(symbolKind, source, "lib.lst", log));
        if (source.reads < n) {
            EXPECT_EQ(result, 0);
            EXPECT_GT(n, 30) << "the reads the library takes";
            break;
        }
        EXPECT_EQ(result, 1) << "read " << n;
        EXPECT_EQ(log.lines.back(), "Expand: fatal error: " + reason) << "read " << n;
        EXPECT_EQ(log.problems.back(), "library: " + std::string(std::strerror(EIO))) << "read " << n;
        failingSource again(library, n);
        memoryLog findings;
        EXPECT_EQ(verifyLibrary(symbolKind, again, findings), 1) << "read " << n;
        EXPECT_NE(joinLines(findings.lines).find("Verify: can't read library: "), std::string::npos) << n;
    }
}

}  // namespace
