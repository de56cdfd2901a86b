// The three CMAC buttons and Key Xor In.
#include "field_reading.h"

#include <algorithm>
#include <stdexcept>

namespace orvelin {
namespace {

using CmacEntry = const BoundFunction<decltype(::AES_CMAC)> TavikAlgBinding::*;

CmacEntry CmacEntryOf(Cipher cipher) {
    switch (cipher) {
    case Cipher::two_key_tdes:
        return &TavikAlgBinding::TDES_CMAC;
    case Cipher::three_key_tdes:
        return &TavikAlgBinding::TDES_3KEY_CMAC;
    case Cipher::aes:
        return &TavikAlgBinding::AES_CMAC;
    case Cipher::des:
        break;
    }
    throw std::invalid_argument("single DES has no CMAC");
}

Bytes OddBytes(const Bytes& mac) {
    Bytes odd;
    for (std::size_t i = 1; i < mac.size(); i += 2) {
        odd.push_back(mac[i]);
    }
    return odd;
}

} // namespace

Export CmacExport(Cipher cipher) {
    switch (cipher) {
    case Cipher::two_key_tdes:
        return Export::TDES_CMAC;
    case Cipher::three_key_tdes:
        return Export::TDES_3KEY_CMAC;
    case Cipher::aes:
        return Export::AES_CMAC;
    case Cipher::des:
        break;
    }
    throw std::invalid_argument("single DES has no CMAC");
}

std::size_t CmacDataLimit(Cipher cipher) {
    switch (cipher) {
    case Cipher::des:
        return 0;
    case Cipher::aes:
        return TAVIK_AES_CMAC_MAX_LENGTH;
    default:
        return TAVIK_TDES_CMAC_MAX_LENGTH;
    }
}

FieldChecks CmacChecks(Cipher cipher) {
    return {.algorithm = &AlgorithmOf(cipher), .iv = IvReading::one_block};
}

// The MAC lands over the start of the message buffer, passed as `mac` too,
// after the whole message has been read.
Bytes RunCmac(const TavikAlgBinding& library, Cipher cipher, const CheckedFields& fields) {
    const CmacEntry entry = CmacEntryOf(cipher);
    const Algorithm& algorithm = AlgorithmOf(cipher);
    const std::size_t block = algorithm.block;
    if (fields.key.size() != algorithm.key_length || fields.iv.size() != block ||
        fields.data.size() > CmacDataLimit(cipher)) {
        throw std::invalid_argument("RunCmac: key, IV or message outside the export's contract");
    }
    Bytes buffer(std::max(fields.data.size(), block));
    std::copy(fields.data.begin(), fields.data.end(), buffer.begin());
    (library.*entry)(fields.key.data(), buffer.data(),
                     static_cast<std::int16_t>(fields.data.size()), buffer.data(),
                     fields.iv.data());
    buffer.resize(block);
    return buffer;
}

// The IV is read whether or not its field is enabled, and the data may be
// any length: the library pads it. The triple-DES MACs are shown whole in
// both fields.
Outcome Cmac(const TavikAlgBinding& library, Cipher cipher, const Fields& fields,
             const InputRules& rules) {
    auto read = ReadChecked(fields, CmacChecks(cipher), rules);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    Bytes mac = RunCmac(library, cipher, std::get<CheckedFields>(read));
    Bytes short_form = cipher == Cipher::aes ? OddBytes(mac) : mac;
    return Shown{std::move(mac), std::move(short_form)};
}

Outcome AesCmac(const TavikAlgBinding& library, const Fields& fields) {
    return Cmac(library, Cipher::aes, fields);
}

Outcome TdesCmac(const TavikAlgBinding& library, const Fields& fields) {
    return Cmac(library, Cipher::two_key_tdes, fields);
}

Outcome Tdes3KeyCmac(const TavikAlgBinding& library, const Fields& fields) {
    return Cmac(library, Cipher::three_key_tdes, fields);
}

// Checks nothing but that both fields can be read within their capacity.
Outcome KeyXorIn(const Fields& fields, const InputRules& rules) {
    auto read = ReadChecked(fields, {}, rules);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    const auto& checked = std::get<CheckedFields>(read);
    const std::size_t m = std::min(checked.key.size(), checked.data.size());
    Bytes result(m);
    std::transform(checked.data.begin(), checked.data.begin() + static_cast<std::ptrdiff_t>(m),
                   checked.key.begin(), result.begin(),
                   [](std::uint8_t d, std::uint8_t s) { return static_cast<std::uint8_t>(d ^ s); });
    return Shown{std::move(result), std::nullopt};
}

} // namespace orvelin
