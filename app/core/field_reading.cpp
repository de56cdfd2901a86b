#include "field_reading.h"

#include "messages.h"

#include <algorithm>

namespace orvelin {
namespace {

std::optional<Refusal> RefuseLengths(const FieldChecks& checks, const ReadField& key,
                                     const ReadField& data) {
    const Algorithm* const algorithm = checks.algorithm;
    if (algorithm != nullptr && key.count() < algorithm->key_minimum) {
        return Refusal{std::string(messages::kDesKeyAtLeast8)};
    }
    if (checks.data == DataBlocks::whole && data.count() % algorithm->block != 0) {
        return Refusal{std::string(algorithm->data_message)};
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

const Algorithm& AlgorithmOf(Cipher cipher) {
    switch (cipher) {
    case Cipher::des:
        return kDes;
    case Cipher::two_key_tdes:
        return kTwoKeyTdes;
    case Cipher::three_key_tdes:
        return kThreeKeyTdes;
    case Cipher::aes:
        break;
    }
    return kAes;
}

std::variant<Refusal, CheckedFields> ReadChecked(const Fields& fields, const FieldChecks& checks,
                                                 const InputRules& rules) {
    const Algorithm* const algorithm = checks.algorithm;
    const ReadField key = Read(fields.session_key, rules.key);
    if (algorithm != nullptr && algorithm->key_length != 0 &&
        key.count() != algorithm->key_length) {
        return Refusal{std::string(algorithm->key_message)};
    }
    const ReadField data = Read(fields.data_in, rules.data);
    ReadField iv = Read({}, rules.iv);
    if (checks.iv == IvReading::one_block) {
        iv = Read(fields.iv, rules.iv);
        if (iv.count() != algorithm->block) {
            return Refusal{std::string(algorithm->iv_message)};
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
