#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace netlark::fuzzing {

/// The first N bytes of an input, zero-padded when it is shorter: lets a
/// fixed-size decoder see every input the fuzzer makes.
template <std::size_t N>
std::array<std::uint8_t, N> fixedInput(std::span<const std::uint8_t> input) {
    std::array<std::uint8_t, N> bytes{};
    std::copy_n(input.begin(), std::min(N, input.size()), bytes.begin());
    return bytes;
}

/// A 32-bit value from the input's last four bytes (0 when it has fewer), so
/// round trips are tried with keys the fuzzer chooses.
inline std::uint32_t trailingWord(std::span<const std::uint8_t> input) {
    std::uint32_t word = 0;
    if (input.size() >= 4) {
        for (std::uint8_t byte : input.last(4)) {
            word = word << 8 | byte;
        }
    }
    return word;
}

} // namespace netlark::fuzzing
