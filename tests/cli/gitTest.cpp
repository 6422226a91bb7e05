// Libraries in a real git repository: vek as git's merge driver and diff
// text, a merge redone from git's stages, and a CR LF checkout.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/vekRun.h"
#include "common/fileText.h"
#include "common/testDir.h"

namespace {

// git with a fixed author, its output kept in git.out; its exit status.
int git(const std::string& args) {
    const std::string command = "git -c user.name=vek -c user.email=vek@example.com -c init.defaultBranch=main "
                                "-c advice.detachedHead=false " + args + " >git.out 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string gitOut(const std::string& args) {
    git(args);
    return readBytes("git.out");
}

// Part Pn with lines "n a" to "n e", line k of it replaced when given.
std::string part(const std::string& name, const std::string& changed = "", int line = 0) {
    std::string text = "*symbol " + name + "\n";
    for (int k = 1; k <= 5; ++k) text += (k == line ? changed : name + " line " + std::to_string(k)) + "\n";
    return text;
}

std::vector<std::string> baseParts() {
    std::vector<std::string> parts;
    for (int i = 0; i < 8; ++i) parts.push_back(part("P" + std::to_string(i)));
    return parts;
}

// A commit of parts.slb holding these parts on branch, from the commit
// from.
void commitOn(const std::string& branch, const std::string& from, const std::vector<std::string>& parts) {
    ASSERT_EQ(git("checkout -q -B " + branch + " " + from), 0) << readBytes("git.out");
    writeBytes("parts.slb", libraryOf(parts));
    ASSERT_EQ(git("commit -q -am " + branch), 0) << readBytes("git.out");
}

class gitLibraries : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        ASSERT_EQ(git("init -q"), 0) << readBytes("git.out");
        writeBytes(".git/info/exclude", "git.out\n");
        writeBytes("parts.slb", libraryOf(baseParts()));
        ASSERT_EQ(git("add parts.slb"), 0);
        ASSERT_EQ(git("commit -q -m base"), 0) << readBytes("git.out");
        std::vector<std::string> a = baseParts(), b = baseParts();
        a[1] = part("P1", "P1 changed by a", 2);
        a.push_back(part("NEWA"));
        b[5] = part("P5", "P5 changed by b", 4);
        b.push_back(part("NEWB"));
        commitOn("a", "main", a);
        commitOn("b", "main", b);
        ASSERT_EQ(git("checkout -q main"), 0);
        merged = a;
        merged[5] = b[5];
        merged.insert(merged.end() - 1, part("NEWB"));
    }
    std::vector<std::string> merged;  // what a merge of b into a gives
};

TEST_F(gitLibraries, TheDriverMergesByPartsAndMarksConflictsInsideThem) {
    runResult r = runVek("git-setup --local");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readBytes(".gitattributes"),
              "*.slb -text diff=vek merge=vek\n*.plb -text diff=vek merge=vek\n*.flb -text diff=vek merge=vek\n");
    EXPECT_EQ(runVek("git-setup --local").code, 0);
    EXPECT_EQ(readBytes(".gitattributes").size(), 93u) << "the lines are added once";
    ASSERT_EQ(git("checkout -q a"), 0);
    ASSERT_EQ(git("merge -q --no-edit b"), 0) << readBytes("git.out");
    EXPECT_EQ(readBytes("parts.slb"), libraryOf(merged));

    // The same part changed on both sides: markers inside it, a conflict
    // for git, a finding for verify; resolved with the part-level commands.
    std::vector<std::string> c = baseParts();
    c[1] = part("P1", "P1 changed by c", 2);
    commitOn("c", "main", c);
    ASSERT_EQ(git("checkout -q a"), 0);
    EXPECT_NE(git("merge -q --no-edit c"), 0);
    EXPECT_NE(gitOut("status --porcelain").find("UU parts.slb"), std::string::npos) << readBytes("git.out");
    r = runVek("print parts.slb P1");
    EXPECT_EQ(r.out, "*symbol P1\nP1 line 1\n<<<<<<< ours\nP1 changed by a\n=======\nP1 changed by c\n>>>>>>> theirs\n"
                     "P1 line 3\nP1 line 4\nP1 line 5\n");
    r = runVek("verify parts.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Verify: P1: line 3 is a conflict marker left by a merge"), std::string::npos) << r.out;
    writeBytes("P1.sym", part("P1", "P1 changed by a and c", 2));
    EXPECT_EQ(runVek("add -q parts.slb P1.sym").code, 0);
    EXPECT_EQ(runVek("verify -q parts.slb").code, 0);

    // A one-line change shows as that line, under its part's header line.
    ASSERT_EQ(git("checkout -q -f a"), 0);
    std::vector<std::string> edited = merged;
    edited[3] = part("P3", "P3 edited", 5);
    writeBytes("parts.slb", libraryOf(edited));
    const std::string diff = gitOut("diff parts.slb");
    EXPECT_NE(diff.find(" @@ *symbol P3\n"), std::string::npos) << diff;
    EXPECT_NE(diff.find("-P3 line 5\n+P3 edited\n"), std::string::npos) << diff;
    EXPECT_EQ(diff.find("*version"), std::string::npos) << diff;
}

// git's own merge of the file, then one command: the merge the driver
// would have made, staged.
TEST_F(gitLibraries, AMergeWithoutTheDriverIsRedoneFromGitsStages) {
    ASSERT_EQ(git("checkout -q a"), 0);
    EXPECT_NE(git("merge -q --no-edit b"), 0);
    runResult r = runVek("verify parts.slb");
    EXPECT_NE(r.out.find("Verify: an unresolved merge: conflict markers in the version line or the index; "
                         "vek git-merge parts.slb merges it by parts"), std::string::npos) << r.out;
    r = runVek("git-merge parts.slb");
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(readBytes("parts.slb"), libraryOf(merged));
    EXPECT_EQ(gitOut("status --porcelain"), "M  parts.slb\n");
    r = runVek("git-merge parts.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("not in a merge's conflict"), std::string::npos) << r.err;
}

// A clone that converts line ends: verify tells it in one line, and add
// refuses with the same cause.
TEST_F(gitLibraries, ACrLfCheckoutIsToldInOneLine) {
    ASSERT_EQ(git("-c core.autocrlf=true clone -q . crlf"), 0) << readBytes("git.out");
    runResult r = runVek("verify -C crlf parts.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "Verify: every line ends in CR LF: a checkout converted the library (git's core.autocrlf); its "
                     "parts are intact. Mark libraries -text in .gitattributes and check it out again, or run vek "
                     "both --force, which loses nothing here\nVerify: 1 finding(s)\n");
    writeBytes("crlf/NEW.sym", part("NEW"));
    r = runVek("add -C crlf parts.slb NEW.sym");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("library not changed: every line ends in CR LF"), std::string::npos) << r.err;
    EXPECT_EQ(runVek("both -q --force -C crlf parts.slb").code, 0);
    EXPECT_EQ(readBytes("crlf/parts.slb"), libraryOf(baseParts()));
}

}  // namespace

#endif
