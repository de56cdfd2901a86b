#include "field_reading.h"

#include "messages.h"

namespace orvelin {
namespace {

std::optional<Refusal> RefuseLengths(const FieldRules& rules, const ReadField& key,
                                     const ReadField& data) {
    const Algorithm* const algorithm = rules.algorithm;
    if (algorithm != nullptr && key.count() < algorithm->key_minimum) {
        return Refusal{std::string(messages::kDesKeyAtLeast8)};
    }
    if (rules.whole_blocks && data.count() % algorithm->block != 0) {
        return Refusal{std::string(algorithm->data_message)};
    }
    return std::nullopt;
}

} // namespace

std::optional<Refusal> RefuseUnreadable(std::initializer_list<ReadField> fields) {
    for (const auto& field : fields) {
        if (!field.reading.only_hex_digits) {
            return Refusal{messages::NotHexDigits(field.label)};
        }
    }
    for (const auto& field : fields) {
        if (field.count() > kFieldCapacity) {
            return Refusal{messages::TooLong(field.label)};
        }
    }
    return std::nullopt;
}

std::variant<Refusal, CheckedFields> ReadChecked(const Fields& fields, const FieldRules& rules) {
    const Algorithm* const algorithm = rules.algorithm;
    CheckedFields checked;
    const ReadField key = Read(messages::kSessionKeyLabel, fields.session_key, checked.key);
    if (algorithm != nullptr && algorithm->key_length != 0 &&
        key.count() != algorithm->key_length) {
        return Refusal{std::string(algorithm->key_message)};
    }
    const ReadField data = Read(messages::kDataInLabel, fields.data_in, checked.data);
    ReadField iv{messages::kIvLabel, {}};
    if (rules.reads_iv) {
        iv = Read(messages::kIvLabel, fields.iv, checked.iv);
        if (iv.count() != algorithm->block) {
            return Refusal{std::string(algorithm->iv_message)};
        }
    }
    if (auto refusal = RefuseUnreadable({key, data, iv})) {
        return *refusal;
    }
    if (auto refusal = RefuseLengths(rules, key, data)) {
        return *refusal;
    }
    checked.key_length = key.count();
    checked.data_length = data.count();
    return checked;
}

} // namespace orvelin
