// Small operations on byte strings that the tests compose answers from.
#ifndef ORVELIN_TESTS_BYTE_OPS_H
#define ORVELIN_TESTS_BYTE_OPS_H

#include "hex.h"

#include <initializer_list>

namespace testing_support {

// a XOR b over the length of a.
inline Bytes xor_of(Bytes a, const Bytes& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] ^= b[i];
    }
    return a;
}

inline Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

inline Bytes slice(const Bytes& b, std::size_t from, std::size_t count) {
    return {b.begin() + static_cast<std::ptrdiff_t>(from),
            b.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

// SP 800-38B subkey doubling: shift left one bit, XOR rb into the last byte
// when the top bit falls out.
inline Bytes cmac_double(Bytes b, std::uint8_t rb) {
    const bool carry = (b[0] & 0x80) != 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] = static_cast<std::uint8_t>(b[i] << 1 | (i + 1 < b.size() ? b[i + 1] >> 7 : 0));
    }
    b.back() ^= carry ? rb : 0;
    return b;
}

} // namespace testing_support

#endif
