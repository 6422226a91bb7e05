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
// A whole byte step on t = state ^ byte is then, for even t, simply t >> 1,
// and for odd t
//   ((t >> 10) << 1) ^ eightRounds(((t >> 2) & 0xFF) << 1)
//     = (t >> 9) ^ fold[t & 0x3FF],
// with fold[k] = eightRounds(((k >> 2) & 0xFF) << 1) ^ ((k >> 9) & 1) for
// odd k and 0 for even k.
struct foldTable {
    std::array<std::uint32_t, 1024> all{};
    std::array<std::uint32_t, 1024> low{};  // the same, cut to the ten bits that pick the next entry
    constexpr foldTable() {
        for (std::uint32_t k = 0; k < 1024; ++k) {
            all[k] = (k & 1u) ? eightRounds(((k >> 2) & 0xFFu) << 1) ^ ((k >> 9) & 1u) : 0;
            low[k] = all[k] & 0x3FFu;
        }
    }
};

constexpr foldTable fold;

}  // namespace

// The chain is serial, so its speed is the latency of one step. The next
// step's table index is (u & 0x3FF) ^ fold.low[k], u being this step's shifted
// state with the next byte: one load and one XOR on the critical path, while
// the whole state follows beside it off that path.
std::uint32_t checksumUpdate(std::uint32_t state, const unsigned char* data, std::size_t size) {
    if (size == 0) return state;
    std::uint32_t t = state ^ data[0];
    std::uint32_t k = t & 0x3FFu;
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint32_t u = ((k & 1u) ? (t >> 9) : (t >> 1)) ^ data[i];
        t = u ^ fold.all[k];
        k = (u & 0x3FFu) ^ fold.low[k];
    }
    return ((k & 1u) ? (t >> 9) : (t >> 1)) ^ fold.all[k];
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
