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

// Eight rounds only ever look at bits 1 to 8 of their input (the low bit is
// shifted out first, and the polynomial's lowest set bit is bit 5, so what it
// folds in cannot reach a later decision's bit from outside that range). Bits
// 9 and up just shift down by eight. So
//   eightRounds(x) = ((x >> 9) << 1) ^ roundTable[(x >> 1) & 0xFF].
struct roundTable {
    std::array<std::uint32_t, 256> t{};
    constexpr roundTable() {
        for (std::uint32_t k = 0; k < 256; ++k) t[k] = eightRounds(k << 1);
    }
};

constexpr roundTable rounds;

}  // namespace

std::uint32_t checksumUpdate(std::uint32_t state, const unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint32_t t = state ^ data[i];
        const std::uint32_t x = t >> 1;
        const std::uint32_t folded = ((x >> 9) << 1) ^ rounds.t[(x >> 1) & 0xFFu];
        state = (t & 1u) ? folded : x;
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
