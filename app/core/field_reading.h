// How every operation reads its fields: the checks that refuse a press, in
// the order they run, then buffers filled by the hex reading rule; and the
// library's exports run over the checked bytes.
#ifndef ORVELIN_FIELD_READING_H
#define ORVELIN_FIELD_READING_H

#include "hex_text.h"
#include "messages.h"
#include "operations.h"
#include "tavik_alg.h"

#include <initializer_list>
#include <span>
#include <string_view>

namespace orvelin {

// A field as read: its text, how refusals name it and what it may hold, and
// what the reading rule found.
struct ReadField {
    std::string_view text;
    FieldSpec rule;
    HexReading reading;

    std::size_t count() const { return reading.count; }
};

inline ReadField Read(std::string_view text, const FieldSpec& rule) {
    return {.text = text, .rule = rule, .reading = ReadHex(text, {})};
}

// A character that is not a hex digit, then (when refused) a lone last
// digit, then a field over its capacity: the first such field, in the order
// given, refuses the press.
std::optional<Refusal> RefuseUnreadable(std::initializer_list<ReadField> fields,
                                        OddDigits odd_digits = OddDigits::last_is_low_nibble);

// The bytes of a field that passed RefuseUnreadable.
Bytes BytesOf(const ReadField& field);

// One field on its own, checked as RefuseUnreadable checks it.
std::variant<Refusal, Bytes> ReadBytes(std::string_view text, const FieldSpec& rule,
                                       OddDigits odd_digits);

// What an algorithm asks of the key, the IV and the data.
struct Algorithm {
    std::size_t key_length;       // exact, or 0 for none
    std::string_view key_message; // when the length is wrong
    std::size_t key_minimum;      // single DES reads the first 8 bytes
    std::size_t block;            // the IV is one block; data whole blocks
    std::string_view iv_message;
    std::string_view data_message;
};

inline constexpr Algorithm kAes{.key_length = TAVIK_AES_KEY_SIZE,
                                .key_message = messages::kKeyLength16,
                                .key_minimum = 0,
                                .block = TAVIK_AES_BLOCK_SIZE,
                                .iv_message = messages::kIvLength16,
                                .data_message = messages::kDataMultipleOf16};
inline constexpr Algorithm kDes{.key_length = 0,
                                .key_message = {},
                                .key_minimum = TAVIK_DES_KEY_SIZE,
                                .block = TAVIK_DES_BLOCK_SIZE,
                                .iv_message = messages::kIvLength8,
                                .data_message = messages::kDataMultipleOf8};
inline constexpr Algorithm kTwoKeyTdes{.key_length = TAVIK_2TDES_KEY_SIZE,
                                       .key_message = messages::kKeyLength16,
                                       .key_minimum = 0,
                                       .block = TAVIK_DES_BLOCK_SIZE,
                                       .iv_message = messages::kIvLength8,
                                       .data_message = messages::kDataMultipleOf8};
inline constexpr Algorithm kThreeKeyTdes{.key_length = TAVIK_3TDES_KEY_SIZE,
                                         .key_message = messages::kKeyLength24,
                                         .key_minimum = 0,
                                         .block = TAVIK_DES_BLOCK_SIZE,
                                         .iv_message = messages::kIvLength8,
                                         .data_message = messages::kDataMultipleOf8};

const Algorithm& AlgorithmOf(Cipher cipher);

// Which checks a press runs: the algorithm's (none for Key Xor In), whether
// the IV is read, and whether the data must be whole blocks.
enum class IvReading { none, one_block };
enum class DataBlocks { any_length, whole };

struct FieldChecks {
    const Algorithm* algorithm = nullptr;
    IvReading iv = IvReading::none;
    DataBlocks data = DataBlocks::any_length;
};

// Encrypt and Decrypt: the cipher's key, one-block IV for CBC, whole blocks.
FieldChecks CipherChecks(const CipherChoice& choice);
// A CMAC: the cipher's key, always a one-block IV, data of any length.
FieldChecks CmacChecks(Cipher cipher);

// SessionKey, DataIn and the IV (when read), each exactly as long as read.
struct CheckedFields {
    Bytes key;
    Bytes iv;
    Bytes data;
};

// Reads SessionKey and checks its length, reads DataIn, reads the IV and
// checks its length, then refuses unreadable or too long text, a short
// single-DES key and partial blocks: the first failed check refuses.
std::variant<Refusal, CheckedFields> ReadChecked(const Fields& fields, const FieldChecks& checks,
                                                 const InputRules& rules);

// The exports over checked bytes: `fields.data` in place, whole blocks within
// CipherDataLimit; the key as the cipher takes it, the IV one block for CBC.
// Anything else is refused, naming the precondition, before any export is
// called; an export's result other than done is refused, naming the export,
// and `fields.data` is then not to be shown.
[[nodiscard]] std::optional<Refusal> RunCipher(const TavikAlgBinding& library,
                                               const CipherChoice& choice, Direction direction,
                                               CheckedFields& fields);

// The full MAC block of `fields.data`, chained from `fields.iv`. Refused as
// RunCipher refuses: a cipher without a CMAC, a key or IV of another length,
// a message over CmacDataLimit, or the export's result.
std::variant<Refusal, Bytes> RunCmac(const TavikAlgBinding& library, Cipher cipher,
                                     const CheckedFields& fields);

} // namespace orvelin

#endif
