// How every operation reads its fields: the checks that refuse a press, in
// the order they run, with the window's messages, then buffers filled by the
// hex reading rule. What each cipher takes is the model's (cipher_model.h).
#ifndef ORVELIN_FIELD_READING_H
#define ORVELIN_FIELD_READING_H

#include "hex_text.h"
#include "messages.h"
#include "operations.h"

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

// Which checks a press runs: the cipher's key (none for Key Xor In), whether
// the IV is read, and whether the data must be whole blocks. The key must be
// exactly the cipher's, except that single DES reads the first 8 bytes of a
// longer one.
enum class IvReading { none, one_block };
enum class DataBlocks { any_length, whole };

struct FieldChecks {
    std::optional<CipherModel> cipher;
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

// The key of a checked SessionKey as the cipher's exports read it: single
// DES the first 8 bytes of a longer one.
std::span<const std::uint8_t> KeyAsRead(const CipherModel& model, const Bytes& key);

// Reads SessionKey and checks its length, reads DataIn, reads the IV and
// checks its length, then refuses unreadable or too long text, a short
// single-DES key and partial blocks: the first failed check refuses.
std::variant<Refusal, CheckedFields> ReadChecked(const Fields& fields, const FieldChecks& checks,
                                                 const InputRules& rules);

} // namespace orvelin

#endif
