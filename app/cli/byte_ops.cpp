#include "byte_ops.h"

#include <algorithm>

namespace orvelin::cli {

Bytes Xor(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    const auto shorter = a.first(std::min(a.size(), b.size()));
    Bytes out(shorter.size());
    std::transform(shorter.begin(), shorter.end(), b.begin(), out.begin(),
                   [](std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>(x ^ y); });
    return out;
}

Bytes Leftmost(std::span<const std::uint8_t> bytes, std::size_t count) {
    const auto kept = bytes.first(std::min(count, bytes.size()));
    return {kept.begin(), kept.end()};
}

} // namespace orvelin::cli
