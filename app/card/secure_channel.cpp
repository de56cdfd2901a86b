#include "secure_channel.h"

#include "card_messages.h"

#include <algorithm>
#include <bit>
#include <string>

namespace orvelin::card {

std::optional<CardRefusal> RequireLength(std::string_view what, std::span<const std::uint8_t> bytes,
                                         std::size_t size) {
    if (bytes.size() == size) {
        return std::nullopt;
    }
    return CardRefusal{std::string(what) + " must be " + std::to_string(size) +
                       (size == 1 ? " byte!" : " bytes!")};
}

std::optional<CardRefusal> FirstRefusal(std::initializer_list<std::optional<CardRefusal>> checks) {
    for (const auto& check : checks) {
        if (check) {
            return check;
        }
    }
    return std::nullopt;
}

Bytes Joined(std::initializer_list<std::span<const std::uint8_t>> parts) {
    Bytes joined;
    for (const auto part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

Bytes WithOddParity(std::span<const std::uint8_t> key) {
    Bytes odd(key.begin(), key.end());
    for (auto& byte : odd) {
        const auto high = static_cast<unsigned>(byte & 0xFEU);
        byte = static_cast<std::uint8_t>(high | (std::popcount(high) % 2 == 0 ? 1U : 0U));
    }
    return odd;
}

} // namespace orvelin::card
