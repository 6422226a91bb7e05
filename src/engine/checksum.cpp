#include "engine/checksum.h"

#include <array>

namespace {

constexpr std::uint32_t polynomial = 0xEDB88320u;

// Eight rounds of "shift right, then fold in the polynomial when the new low
// bit is set". Each round is linear over GF(2), so the whole is too.
constexpr std::uint32_t eightRounds(std::uint32_t s) {
    for (int i = 0; i < 8; ++i) {
        s >>= 1;
        if (s & 1u) s ^= polynomial;
    }
    return s;
}

// Because eightRounds is linear, its value on any state is the XOR of its
// values on the state's four bytes in place.
struct roundTables {
    std::array<std::array<std::uint32_t, 256>, 4> t{};
    constexpr roundTables() {
        for (unsigned lane = 0; lane < 4; ++lane) {
            for (std::uint32_t b = 0; b < 256; ++b) {
                t[lane][b] = eightRounds(b << (8 * lane));
            }
        }
    }
};

constexpr roundTables tables;

inline std::uint32_t applyRounds(std::uint32_t s) {
    return tables.t[0][s & 0xFFu] ^ tables.t[1][(s >> 8) & 0xFFu] ^
           tables.t[2][(s >> 16) & 0xFFu] ^ tables.t[3][s >> 24];
}

}  // namespace

std::uint32_t checksumUpdate(std::uint32_t state, const unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        std::uint32_t s = state ^ data[i];
        state = (s & 1u) ? applyRounds(s >> 1) : (s >> 1);
    }
    return state;
}

std::uint32_t libChecksum(const unsigned char* data, std::size_t size) {
    return checksumUpdate(checksumStart, data, size);
}

std::uint32_t checksumReference(std::uint32_t state, const unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        state ^= data[i];
        const bool low = (state & 1u) != 0;
        state >>= 1;
        if (!low) continue;
        for (int round = 0; round < 8; ++round) {
            state >>= 1;
            if (state & 1u) state ^= polynomial;
        }
    }
    return state;
}
