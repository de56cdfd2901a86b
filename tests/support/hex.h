// Hex text for tests: readable known answers.
#ifndef ORVELIN_TESTS_HEX_H
#define ORVELIN_TESTS_HEX_H

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

// Spaces are ignored; anything else that is not a hex digit aborts the test run.
Bytes from_hex(std::string_view text);
std::string to_hex(std::span<const std::uint8_t> bytes);

} // namespace testing_support

#endif
