#include "field_reading.h"

#include "messages.h"

#include <algorithm>

namespace orvelin {
namespace {

// The window's messages state the sizes they ask for.
std::string_view KeyLengthMessage(std::size_t size) {
    return size == TAVIK_3TDES_KEY_SIZE ? messages::kKeyLength24 : messages::kKeyLength16;
}
std::string_view IvLengthMessage(std::size_t block) {
    return block == TAVIK_AES_BLOCK_SIZE ? messages::kIvLength16 : messages::kIvLength8;
}
std::string_view DataBlocksMessage(std::size_t block) {
    return block == TAVIK_AES_BLOCK_SIZE ? messages::kDataMultipleOf16 : messages::kDataMultipleOf8;
}

// Single DES reads the first 8 bytes of a longer key; every other cipher
// takes its key exactly.
bool KeyMayBeLonger(const CipherModel& model) {
    return model.cipher == Cipher::des;
}

std::optional<Refusal> RefuseLengths(const FieldChecks& checks, const ReadField& key,
                                     const ReadField& data) {
    if (!checks.cipher) {
        return std::nullopt;
    }
    if (KeyMayBeLonger(*checks.cipher) && key.count() < checks.cipher->key_size()) {
        return Refusal{std::string(messages::kDesKeyAtLeast8)};
    }
    const std::size_t block = checks.cipher->block_size();
    if (checks.data == DataBlocks::whole && data.count() % block != 0) {
        return Refusal{std::string(DataBlocksMessage(block))};
    }
    return std::nullopt;
}

} // namespace

std::optional<Refusal> RefuseUnreadable(std::initializer_list<ReadField> fields,
                                        OddDigits odd_digits) {
    for (const auto& field : fields) {
        if (!field.reading.only_hex_digits) {
            return Refusal{messages::NotHexDigits(field.rule.label)};
        }
    }
    for (const auto& field : fields) {
        if (odd_digits == OddDigits::refused && field.reading.lone_last_digit) {
            return Refusal{messages::OddDigitCount(field.rule.label)};
        }
    }
    for (const auto& field : fields) {
        if (field.count() > field.rule.capacity) {
            return Refusal{messages::TooLong(field.rule.label, field.rule.capacity)};
        }
    }
    return std::nullopt;
}

Bytes BytesOf(const ReadField& field) {
    Bytes bytes(std::min(field.count(), field.rule.capacity));
    ReadHex(field.text, bytes);
    return bytes;
}

std::variant<Refusal, Bytes> ReadBytes(std::string_view text, const FieldSpec& rule,
                                       OddDigits odd_digits) {
    const ReadField field = Read(text, rule);
    if (auto refusal = RefuseUnreadable({field}, odd_digits)) {
        return *refusal;
    }
    return BytesOf(field);
}

std::span<const std::uint8_t> KeyAsRead(const CipherModel& model, const Bytes& key) {
    return std::span(key).first(std::min(key.size(), model.key_size()));
}

std::variant<Refusal, CheckedFields> ReadChecked(const Fields& fields, const FieldChecks& checks,
                                                 const InputRules& rules) {
    const ReadField key = Read(fields.session_key, rules.key);
    const std::optional<CipherModel>& cipher = checks.cipher;
    if (cipher && !KeyMayBeLonger(*cipher) && key.count() != cipher->key_size()) {
        return Refusal{std::string(KeyLengthMessage(cipher->key_size()))};
    }
    const ReadField data = Read(fields.data_in, rules.data);
    ReadField iv = Read({}, rules.iv);
    if (cipher && checks.iv == IvReading::one_block) {
        iv = Read(fields.iv, rules.iv);
        if (iv.count() != cipher->block_size()) {
            return Refusal{std::string(IvLengthMessage(cipher->block_size()))};
        }
    }
    if (auto refusal = RefuseUnreadable({key, data, iv}, rules.odd_digits)) {
        return *refusal;
    }
    if (auto refusal = RefuseLengths(checks, key, data)) {
        return *refusal;
    }
    return CheckedFields{.key = BytesOf(key), .iv = BytesOf(iv), .data = BytesOf(data)};
}

} // namespace orvelin
