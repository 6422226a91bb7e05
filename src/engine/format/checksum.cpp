#include "engine/format/checksum.h"

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
// 9 and up just shift down by eight:
//   eightRounds(x) = ((x >> 9) << 1) ^ eightRounds((x & 0x1FE)).
// A whole byte step on t = state ^ byte is then, for odd t,
//   ((t >> 10) << 1) ^ eightRounds(((t >> 2) & 0xFF) << 1)
// and for even t simply t >> 1 = ((t >> 10) << 9) | ((t >> 1) & 0x1FF). Both
// are "the bits above 9 shifted, XOR a value of the low ten bits": one table
// of 1024 entries and a shift of 1 or 9 cover both cases without a branch.
struct stepTable {
    std::array<std::uint32_t, 1024> t{};
    constexpr stepTable() {
        for (std::uint32_t k = 0; k < 1024; ++k) {
            t[k] = (k & 1u) ? eightRounds(((k >> 2) & 0xFFu) << 1) : ((k >> 1) & 0x1FFu);
        }
    }
};

constexpr stepTable steps;

}  // namespace

std::uint32_t checksumUpdate(std::uint32_t state, const unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint32_t t = state ^ data[i];
        const std::uint32_t shift = 9u - ((t & 1u) << 3);
        state = ((t >> 10) << shift) ^ steps.t[t & 0x3FFu];
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
