#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "support/assertion.h"
#include "support/cfman.h"
#include "support/platform/profile.h"

namespace {

// Items of this test program, registered while static objects are made.
cfString testQualified("width", "640", "BORDER", 1);
cfString testPlain("COLOR", "blue", "KELVARIS", 0);
cfString testTitleSection("STATE", "", nullptr, 0);

// A profile held in memory, behaving like the profile service: values are cut
// to the buffer, missing keys give the default.
std::map<std::pair<std::string, std::string>, std::string> store;
std::vector<std::string> writes;
std::string lastFile;

int fakeGet(const char* section, const char* key, const char* def, char* buffer, int size, const char* file) {
    lastFile = file;
    auto it = store.find({section, key});
    const std::string value = it == store.end() ? def : it->second;
    const std::size_t n = std::min(value.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

void fakeWrite(const char* section, const char* key, const char* value, const char* file) {
    lastFile = file;
    store[{section, key}] = value;
    writes.push_back(std::string(section) + "|" + key + "|" + value);
}

class cfmanTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = platform::setProfileService({fakeGet, fakeWrite});
        store.clear();
        writes.clear();
        testQualified.fromString("640");
        testPlain.fromString("blue");
        testTitleSection.fromString("");
    }
    void TearDown() override { platform::setProfileService(previous); }
    profileService previous{};
};

TEST_F(cfmanTest, SystemItemsAreRegistered) {
    std::vector<std::string> keys;
    for (int i = 0; i < theCfman.nSlots; ++i) {
        const cfItem* item = theCfman.slots[i];
        if (item->section && std::strcmp(item->section, "KELVARIS") == 0 && item->qualify == 0) {
            keys.push_back(item->key);
        }
    }
    for (const char* key : {"KELVID", "LIBPATH", "RESOURCEPATH", "TEXTEDITCMD", "BACKUP"}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << key;
    }
}

TEST_F(cfmanTest, LoadFillsItemsFromTheProfile) {
    store[{"Library Expander/Compressor BORDER", "width"}] = "800";
    store[{"KELVARIS", "COLOR"}] = "";
    store[{"Library Expander/Compressor", "STATE"}] = std::string(300, 's');
    theCfman.load("my.ini", "Library Expander/Compressor");
    EXPECT_STREQ(theCfman.appTitle, "Library Expander/Compressor");
    EXPECT_STREQ(theCfman.iniFile, "my.ini");
    EXPECT_EQ(profileReadName, theCfman.iniFile);
    EXPECT_EQ(profileWriteName, theCfman.iniFile);
    EXPECT_EQ(lastFile, "my.ini");
    EXPECT_STREQ(testQualified.value, "800");
    EXPECT_STREQ(testPlain.value, "blue") << "an empty value keeps the default";
    EXPECT_EQ(std::string(testTitleSection.value), std::string(199, 's')) << "read buffer of 200 bytes";
    EXPECT_EQ(testQualified.dirty, 0);
}

TEST_F(cfmanTest, SaveWritesOnlyDirtyItems) {
    theCfman.load("my.ini", "T");
    writes.clear();
    theCfman.save();
    EXPECT_TRUE(writes.empty());
    testPlain.fromString("green");
    testPlain.dirty = 1;
    theCfman.save();
    EXPECT_EQ(writes, std::vector<std::string>{"KELVARIS|COLOR|green"});
    EXPECT_EQ(testPlain.dirty, 0);
    theCfman.save();
    EXPECT_EQ(writes.size(), 1u);
}

}  // namespace
