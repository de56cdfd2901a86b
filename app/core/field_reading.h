// How every operation reads its fields: fixed-size buffers filled by the hex
// reading rule, and the checks that refuse a press, in the order they run.
#ifndef ORVELIN_FIELD_READING_H
#define ORVELIN_FIELD_READING_H

#include "field_capacity.h"
#include "hex_text.h"
#include "messages.h"
#include "operations.h"
#include "tavik_alg.h"

#include <initializer_list>
#include <span>
#include <string_view>

namespace orvelin {

// A field as read: its label for messages and what the reading rule found.
struct ReadField {
    std::string_view label;
    HexReading reading;

    std::size_t count() const { return reading.count; }
};

inline ReadField Read(std::string_view label, std::string_view text,
                      std::span<std::uint8_t> destination) {
    return {label, ReadHex(text, destination)};
}

// A character that is not a hex digit, then a field longer than its buffer:
// the first such field, in the order given, refuses the press.
std::optional<Refusal> RefuseUnreadable(std::initializer_list<ReadField> fields);

// What an algorithm asks of the key, the IV and the data.
struct Algorithm {
    std::size_t key_length;       // exact, or 0 for none
    std::string_view key_message; // when the length is wrong
    std::size_t key_minimum;      // single DES reads the first 8 bytes
    std::size_t block;            // the IV is one block; data whole blocks
    std::string_view iv_message;
    std::string_view data_message;
};

inline constexpr Algorithm kAes{
    TAVIK_AES_KEY_SIZE,   messages::kKeyLength16, 0,
    TAVIK_AES_BLOCK_SIZE, messages::kIvLength16,  messages::kDataMultipleOf16};
inline constexpr Algorithm kDes{0,
                                {},
                                TAVIK_DES_KEY_SIZE,
                                TAVIK_DES_BLOCK_SIZE,
                                messages::kIvLength8,
                                messages::kDataMultipleOf8};
inline constexpr Algorithm kTwoKeyTdes{
    TAVIK_2TDES_KEY_SIZE, messages::kKeyLength16, 0,
    TAVIK_DES_BLOCK_SIZE, messages::kIvLength8,   messages::kDataMultipleOf8};
inline constexpr Algorithm kThreeKeyTdes{
    TAVIK_3TDES_KEY_SIZE, messages::kKeyLength24, 0,
    TAVIK_DES_BLOCK_SIZE, messages::kIvLength8,   messages::kDataMultipleOf8};

// Which checks a press runs: the algorithm's (none for Key Xor In), whether
// the IV is read, and whether the data must be whole blocks.
struct FieldRules {
    const Algorithm* algorithm = nullptr;
    bool reads_iv = false;
    bool whole_blocks = false;
};

// SessionKey, DataIn and the IV (when read), each in a buffer of its own.
struct CheckedFields {
    FieldBuffer key{};
    FieldBuffer data{};
    FieldBuffer iv{};
    std::size_t key_length = 0;
    std::size_t data_length = 0;

    std::span<std::uint8_t> Data() { return std::span(data).first(data_length); }
};

// Reads SessionKey and checks its length, reads DataIn, reads the IV and
// checks its length, then refuses unreadable text, a short single-DES key
// and partial blocks: the first failed check refuses the press.
std::variant<Refusal, CheckedFields> ReadChecked(const Fields& fields, const FieldRules& rules);

// The first `count` bytes of a buffer.
inline Bytes FirstBytes(std::span<const std::uint8_t> buffer, std::size_t count) {
    const auto shown = buffer.first(count);
    return {shown.begin(), shown.end()};
}

} // namespace orvelin

#endif
