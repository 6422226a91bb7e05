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

int indexOf(const cfItem* item) {
    for (int i = 0; i < theCfman.nSlots; ++i) {
        if (theCfman.slots[i] == item) return i;
    }
    return -1;
}

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

TEST_F(cfmanTest, ItemsRegisterInConstructionOrder) {
    EXPECT_GE(indexOf(&testQualified), 0);
    EXPECT_EQ(indexOf(&testPlain), indexOf(&testQualified) + 1);
    EXPECT_EQ(indexOf(&testTitleSection), indexOf(&testPlain) + 1);
    EXPECT_EQ(testQualified.dirty, 0);
    EXPECT_STREQ(testQualified.value, "640");
}

TEST_F(cfmanTest, SectionNames) {
    char buffer[100];
    EXPECT_STREQ(testQualified.sectionName("Library Expander/Compressor", buffer),
                 "Library Expander/Compressor BORDER");
    EXPECT_STREQ(testPlain.sectionName("Title", buffer), "KELVARIS");
    EXPECT_STREQ(testTitleSection.sectionName("Title", buffer), "Title");
    const std::string longTitle(120, 't');
    EXPECT_EQ(std::string(testQualified.sectionName(longTitle.c_str(), buffer)), std::string(99, 't'));
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

TEST_F(cfmanTest, RawReadsAndWrites) {
    theCfman.load("my.ini", "Library Expander/Compressor");
    char buffer[20];
    EXPECT_EQ(theCfman.readRaw("BORDER", "left", buffer, sizeof buffer, 1), nullptr);
    theCfman.writeRaw("BORDER", "left", "12", 2, 1);
    EXPECT_EQ(writes, std::vector<std::string>{"Library Expander/Compressor BORDER|left|12"});
    EXPECT_EQ(theCfman.readRaw("BORDER", "left", buffer, sizeof buffer, 1), buffer);
    EXPECT_STREQ(buffer, "12");
    theCfman.writeRaw("PLAIN", "k", "v", 99, 0);
    EXPECT_EQ(writes.back(), "PLAIN|k|v");
    EXPECT_EQ(theCfman.readRaw("PLAIN", "k", buffer, 2, 0), buffer);
    EXPECT_STREQ(buffer, "v");
}

TEST_F(cfmanTest, LongProfileNamesAndTitlesAreCut) {
    const std::string longName(150, 'n');
    theCfman.load(longName.c_str(), longName.c_str());
    EXPECT_EQ(std::string(theCfman.iniFile), std::string(99, 'n'));
    EXPECT_EQ(std::string(theCfman.appTitle), std::string(99, 'n'));
}

TEST_F(cfmanTest, StringItemsKeepAtMost255Characters) {
    testPlain.fromString(std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(testPlain.value), std::string(255, 'x'));
    char small[4];
    testPlain.dirty = 1;
    testPlain.toString(small, sizeof small);
    EXPECT_STREQ(small, "xxx");
    EXPECT_EQ(testPlain.dirty, 0);
}

std::vector<std::string> boxTexts;
int answerYes(const char*, const char* text, unsigned) {
    boxTexts.push_back(text);
    return 6;
}

TEST_F(cfmanTest, TableOf250Slots) {
    cfman local;
    for (int i = 0; i < nConfigSlots; ++i) local.addItem(&testPlain);
    EXPECT_EQ(local.nSlots, 250);
    yesNoBox old = setYesNoBox(answerYes);
    local.addItem(&testQualified);
    setYesNoBox(old);
    EXPECT_EQ(local.nSlots, 250);
    EXPECT_EQ(boxTexts, std::vector<std::string>{
                            "!\"Please increase cfman::nConfigSlots!!!\" == 0: GUI\\SRC\\CFMAN, line 373.  Continue?"});
}

#ifdef _WIN32
// The real profile service, on real files.
class cfmanProfileFile : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        testQualified.fromString("640");
        testPlain.fromString("blue");
    }
};

TEST_F(cfmanProfileFile, MissingFileThenFirstWriteCreatesIt) {
    const std::string ini = dir + "\\kelv-test.ini";
    theCfman.load(ini.c_str(), "Library Expander/Compressor");
    EXPECT_STREQ(testQualified.value, "640");
    char buffer[50];
    EXPECT_EQ(theCfman.readRaw("BORDER", "left", buffer, sizeof buffer, 1), nullptr);
    theCfman.writeRaw("BORDER", "left", "10", 0, 1);
    theCfman.writeRaw("BORDER", "zoomed", "", 0, 1);
    EXPECT_EQ(theCfman.readRaw("BORDER", "left", buffer, sizeof buffer, 1), buffer);
    EXPECT_STREQ(buffer, "10");
    EXPECT_EQ(theCfman.readRaw("BORDER", "zoomed", buffer, sizeof buffer, 1), nullptr);
    const std::string text = readBytes(ini);
    EXPECT_NE(text.find("[Library Expander/Compressor BORDER]"), std::string::npos) << text;
    EXPECT_NE(text.find("left=10"), std::string::npos) << text;
}

TEST_F(cfmanProfileFile, ItemsLoadCutAndSave) {
    const std::string ini = dir + "\\kelv-test.ini";
    writeBytes(ini, "[Library Expander/Compressor BORDER]\r\nwidth=1024\r\n[KELVARIS]\r\nCOLOR=\r\n"
                    "[Library Expander/Compressor]\r\nSTATE=" + std::string(250, 'z') + "\r\n");
    theCfman.load(ini.c_str(), "Library Expander/Compressor");
    EXPECT_STREQ(testQualified.value, "1024");
    EXPECT_STREQ(testPlain.value, "blue");
    EXPECT_EQ(std::string(testTitleSection.value), std::string(199, 'z'));
    testPlain.fromString("red");
    testPlain.dirty = 1;
    theCfman.save();
    EXPECT_NE(readBytes(ini).find("COLOR=red"), std::string::npos);
    EXPECT_NE(readBytes(ini).find("width=1024"), std::string::npos);
}
#endif

}  // namespace
