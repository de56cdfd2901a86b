// Reproducible random inputs: every run sees the same bytes.
#ifndef ORVELIN_TESTS_RANDOM_BYTES_H
#define ORVELIN_TESTS_RANDOM_BYTES_H

#include "hex.h"

#include <random>

namespace testing_support {

class RandomBytes {
  public:
    explicit RandomBytes(std::uint32_t seed = 20261207) : engine_(seed) {}

    Bytes operator()(std::size_t count) {
        Bytes out(count);
        for (auto& b : out) {
            b = static_cast<std::uint8_t>(engine_() & 0xffU);
        }
        return out;
    }

    // A whole number in [low, high].
    std::size_t between(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(engine_);
    }

  private:
    std::mt19937 engine_;
};

} // namespace testing_support

#endif
