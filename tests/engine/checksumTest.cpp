#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "engine/format/checksum.h"

namespace {

std::uint32_t of(const std::string& s) {
    return libChecksum(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

TEST(libChecksum, KnownValues) {
    EXPECT_EQ(of("abc"), 1889055682u);
    EXPECT_EQ(of(""), 4294967295u);
    const std::string data = readBytes(dataFile("example.slb")).substr(90);
    ASSERT_EQ(data.size(), 63u);
    EXPECT_EQ(of(data), 3852186597u);
}

TEST(libChecksum, TablesMatchTheBitwiseDefinition) {
    std::mt19937 rng(12345);
    for (std::size_t length = 0; length < 600; length += 1 + length / 8) {
        std::vector<unsigned char> bytes(length);
        for (auto& b : bytes) b = static_cast<unsigned char>(rng());
        EXPECT_EQ(libChecksum(bytes.data(), bytes.size()),
                  checksumReference(checksumStart, bytes.data(), bytes.size()))
            << "length " << length;
    }
}

}  // namespace
