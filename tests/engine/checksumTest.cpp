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
        const std::uint32_t expected = checksumReference(checksumStart, bytes.data(), bytes.size());
        EXPECT_EQ(libChecksum(bytes.data(), bytes.size()), expected) << "length " << length;
        // Continued in pieces, as the workfile feeds it: 0, 1 or more bytes at a time.
        const std::size_t cut = length == 0 ? 0 : rng() % (length + 1);
        const std::uint32_t head = checksumUpdate(checksumStart, bytes.data(), cut);
        const std::uint32_t one = checksumUpdate(head, bytes.data() + cut, length > cut ? 1 : 0);
        const std::size_t rest = length > cut ? cut + 1 : cut;
        EXPECT_EQ(checksumUpdate(one, bytes.data() + rest, length - rest), expected) << "length " << length;
    }
}

}  // namespace
