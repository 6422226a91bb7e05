// The checksum of a library's data section. It uses the CRC-32 polynomial
// constant but is not CRC-32: a byte whose folded low bit is 0 only shifts
// the state, and the result is not inverted.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::uint32_t checksumStart = 0xFFFFFFFFu;

// Continues a checksum over more bytes; start from checksumStart.
std::uint32_t checksumUpdate(std::uint32_t state, const unsigned char* data, std::size_t size);

// The checksum of one block of bytes.
std::uint32_t libChecksum(const unsigned char* data, std::size_t size);

// The definition, a bit at a time; kept as the reference for the tables.
std::uint32_t checksumReference(std::uint32_t state, const unsigned char* data, std::size_t size);
