#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace dashcam::test {

// A block of bytes with little-endian 32-bit words put at given offsets.
inline std::vector<std::uint8_t>
RecordBytes(std::size_t size,
            std::initializer_list<std::pair<std::size_t, std::uint32_t>> words = {},
            std::uint8_t fill = 0) {
    std::vector<std::uint8_t> bytes(size, fill);
    for (const auto& [offset, value] : words) {
        for (int i = 0; i < 4; ++i) {
            bytes.at(offset + i) = std::uint8_t(value >> (8 * i));
        }
    }
    return bytes;
}

} // namespace dashcam::test
