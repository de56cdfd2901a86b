// The size of every buffer a field is read into.
#ifndef ORVELIN_FIELD_CAPACITY_H
#define ORVELIN_FIELD_CAPACITY_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvelin {

inline constexpr std::size_t kFieldCapacity = 256;
using FieldBuffer = std::array<std::uint8_t, kFieldCapacity>;

} // namespace orvelin

#endif
