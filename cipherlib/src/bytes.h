// Fixed-size byte blocks and the one operation every mode needs on them.
#ifndef TAVIK_ALG_BYTES_H
#define TAVIK_ALG_BYTES_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tavik {

template <std::size_t N>
using Block = std::array<std::uint8_t, N>;

// dst ^= src, byte by byte.
template <std::size_t N>
constexpr void xor_into(std::span<std::uint8_t, N> dst, std::span<const std::uint8_t, N> src) {
    std::transform(dst.begin(), dst.end(), src.begin(), dst.begin(),
                   [](std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(a ^ b); });
}

// A view of the N bytes at `p`; the exported C interface hands us raw pointers
// whose sizes its contract fixes, and this is the one place they become spans.
template <std::size_t N>
constexpr std::span<std::uint8_t, N> bytes(std::uint8_t* p) {
    return std::span<std::uint8_t, N>(p, N);
}
template <std::size_t N>
constexpr std::span<const std::uint8_t, N> bytes(const std::uint8_t* p) {
    return std::span<const std::uint8_t, N>(p, N);
}

} // namespace tavik

#endif
