#include "input_checks.h"

#include "cli_messages.h"

namespace orvelin::cli {
namespace {

std::optional<Refusal> RefuseKeyOrIvLength(const Algorithm& algorithm, const HexArgument& key,
                                           const HexArgument* iv) {
    if (algorithm.key_length != 0 && key.count() != algorithm.key_length) {
        return Refusal{std::string(algorithm.key_message)};
    }
    if (iv != nullptr && iv->count() != algorithm.block) {
        return Refusal{std::string(algorithm.iv_message)};
    }
    return std::nullopt;
}

std::optional<Refusal> RefuseUnreadable(const HexArgument& key, const HexArgument* iv,
                                        const HexArgument& data) {
    for (const HexArgument* argument : {&key, &data, iv}) {
        if (argument != nullptr && !argument->readable()) {
            return Refusal{orvelin::messages::NotHexDigits(argument->label)};
        }
    }
    return std::nullopt;
}

std::optional<Refusal> RefuseSizes(const HexArgument& key, const HexArgument& data,
                                   const InputRules& rules) {
    if (key.count() > kFieldCapacity) {
        return Refusal{orvelin::messages::TooLong(key.label)};
    }
    if (data.count() > rules.data_limit) {
        return Refusal{messages::LongerThan(data.label, rules.data_limit)};
    }
    if (key.count() < rules.algorithm->key_minimum) {
        return Refusal{std::string(orvelin::messages::kDesKeyAtLeast8)};
    }
    if (rules.whole_blocks && data.count() % rules.algorithm->block != 0) {
        return Refusal{std::string(rules.algorithm->data_message)};
    }
    return std::nullopt;
}

} // namespace

std::optional<Refusal> RefuseUnreadableOrLong(std::initializer_list<const HexArgument*> arguments,
                                              std::size_t limit) {
    for (const HexArgument* argument : arguments) {
        if (!argument->readable()) {
            return Refusal{orvelin::messages::NotHexDigits(argument->label)};
        }
    }
    for (const HexArgument* argument : arguments) {
        if (argument->count() > limit) {
            return Refusal{messages::LongerThan(argument->label, limit)};
        }
    }
    return std::nullopt;
}

std::variant<Refusal, CheckedInput> CheckInput(const HexArgument& key, const HexArgument* iv,
                                               const HexArgument& data, const InputRules& rules) {
    const Algorithm& algorithm = *rules.algorithm;
    if (auto refusal = RefuseKeyOrIvLength(algorithm, key, iv)) {
        return *refusal;
    }
    if (auto refusal = RefuseUnreadable(key, iv, data)) {
        return *refusal;
    }
    if (auto refusal = RefuseSizes(key, data, rules)) {
        return *refusal;
    }
    CheckedInput checked{key.ToBytes(), Bytes(algorithm.block), data.ToBytes()};
    if (iv != nullptr) {
        checked.iv = iv->ToBytes();
    }
    return checked;
}

} // namespace orvelin::cli
