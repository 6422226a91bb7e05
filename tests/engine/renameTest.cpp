// Rename against compress: the library it writes is, byte for byte, the one
// compress makes of the same parts with the new name in their header lines,
// in the same places; every refusal leaves the library as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/parts.h"
#include "engine/compressedParts.h"

namespace {

struct renameCase {
    const char* what;
    std::vector<std::string> before;  // the parts' texts
    const char *oldName, *newName;
    bool ako;
    std::vector<std::string> after;   // empty: refused, the library as it was
    std::vector<std::string> said;    // the notices ("FILE: REASON")
};

class renameTest : public inTempDir, public ::testing::WithParamInterface<renameCase> {};

TEST_P(renameTest, KeepsThePlaceAndTheRestOfTheHeader) {
    const renameCase& c = GetParam();
    const std::string library = compressedParts(c.before);
    writeBytes("lib.slb", library);
    struct notices : memoryLog {
        void notice(const std::string& file, const std::string& reason) override { said.push_back(file + ": " + reason); }
        std::vector<std::string> said;
    } log;
    const opResult result = renamePart(symbolKind, "lib.slb", c.oldName, c.newName, c.ako, log);
    EXPECT_EQ(result, c.after.empty() ? opResult::failed : opResult::done) << c.what;
    EXPECT_EQ(readBytes("lib.slb"), c.after.empty() ? library : compressedParts(c.after)) << c.what;
    EXPECT_EQ(log.said, c.said) << c.what;
}

const std::vector<std::string> gates = {"*symbol GATE\nG\n", "*symbol AND2 ako GATE\nL1\n", "*symbol OR2,X;Y extra words\nO\n"};

INSTANTIATE_TEST_SUITE_P(Rows, renameTest, ::testing::Values(
    renameCase{"in its place, the rest of the header kept", gates, "OR2", "OR9", false,
               {"*symbol GATE\nG\n", "*symbol AND2 ako GATE\nL1\n", "*symbol OR9,X;Y extra words\nO\n"}, {}},
    renameCase{"an ako reference named", gates, "GATE", "GATE2", false,
               {"*symbol GATE2\nG\n", "*symbol AND2 ako GATE\nL1\n", "*symbol OR2,X;Y extra words\nO\n"},
               {"lib.slb: AND2 names GATE as its ako (--ako renames it there too)"}},
    renameCase{"an ako reference renamed", gates, "GATE", "GATE2", true,
               {"*symbol GATE2\nG\n", "*symbol AND2 ako GATE2\nL1\n", "*symbol OR2,X;Y extra words\nO\n"}, {}},
    // Each header as expand writes it: from the first index entry of its name.
    renameCase{"every part of the name", {"*symbol A one\n1\n", "*symbol B\n2\n", "*symbol A two\n3\n"}, "A", "C", false,
               {"*symbol C one\n1\n", "*symbol B\n2\n", "*symbol C one\n3\n"}, {}},
    renameCase{"a name taken", gates, "OR2", "GATE", false, {}, {}},
    renameCase{"a name missing", gates, "NOR2", "NOR3", false, {}, {}},
    renameCase{"a blank in the name", gates, "OR2", "OR 9", false, {}, {}},
    renameCase{"a colon in the name", gates, "OR2", "OR9:B", false, {}, {}}));

using renameGuard = inTempDir;

TEST_F(renameGuard, LeavesADamagedLibraryAlone) {
    std::string library = compressedParts(gates);
    library.resize(library.size() - 2);
    writeBytes("lib.slb", library);
    memoryLog log;
    runControl guarded;
    guarded.refuseDamage = true;
    EXPECT_EQ(renamePart(symbolKind, "lib.slb", "GATE", "G2", false, log, &guarded), opResult::damaged);
    EXPECT_EQ(readBytes("lib.slb"), library);
}

}  // namespace
