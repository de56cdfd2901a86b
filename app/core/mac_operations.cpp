// The three CMAC buttons and Key Xor In.
#include "export_result.h"
#include "field_reading.h"

#include <algorithm>

namespace orvelin {
namespace {

using CmacEntry = const BoundFunction<decltype(::AES_CMAC)> TavikAlgBinding::*;

// The entry a cipher's CMAC goes through, and its export's name.
struct CmacRoute {
    CmacEntry entry;
    Export by;
};

std::optional<CmacRoute> CmacRouteOf(Cipher cipher) {
    switch (cipher) {
    case Cipher::two_key_tdes:
        return CmacRoute{&TavikAlgBinding::TDES_CMAC, Export::TDES_CMAC};
    case Cipher::three_key_tdes:
        return CmacRoute{&TavikAlgBinding::TDES_3KEY_CMAC, Export::TDES_3KEY_CMAC};
    case Cipher::aes:
        return CmacRoute{&TavikAlgBinding::AES_CMAC, Export::AES_CMAC};
    case Cipher::des:
        break;
    }
    return std::nullopt;
}

Refusal Refused(const std::string& precondition) {
    return Refusal{messages::Requires("RunCmac", precondition)};
}

// The cipher's key, one block of IV, a message within the export's limit.
std::optional<Refusal> RefuseOutsideContract(Cipher cipher, const CheckedFields& fields) {
    const Algorithm& algorithm = AlgorithmOf(cipher);
    if (fields.key.size() != algorithm.key_length) {
        return Refused("a key of " + std::to_string(algorithm.key_length) + " bytes");
    }
    if (fields.iv.size() != algorithm.block) {
        return Refused("an IV of one " + std::to_string(algorithm.block) + "-byte block");
    }
    if (fields.data.size() > CmacDataLimit(cipher)) {
        return Refused("a message of at most " + std::to_string(CmacDataLimit(cipher)) + " bytes");
    }
    return std::nullopt;
}

Bytes OddBytes(const Bytes& mac) {
    Bytes odd;
    for (std::size_t i = 1; i < mac.size(); i += 2) {
        odd.push_back(mac[i]);
    }
    return odd;
}

} // namespace

std::optional<Export> CmacExport(Cipher cipher) {
    const auto route = CmacRouteOf(cipher);
    return route ? std::optional(route->by) : std::nullopt;
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
std::variant<Refusal, Bytes> RunCmac(const TavikAlgBinding& library, Cipher cipher,
                                     const CheckedFields& fields) {
    const std::optional<CmacRoute> route = CmacRouteOf(cipher);
    if (!route) {
        return Refused("a cipher with a CMAC, which single DES is not");
    }
    if (auto refusal = RefuseOutsideContract(cipher, fields)) {
        return *refusal;
    }
    const std::size_t block = AlgorithmOf(cipher).block;
    Bytes buffer(std::max(fields.data.size(), block));
    std::copy(fields.data.begin(), fields.data.end(), buffer.begin());
    const std::int32_t result = (library.*route->entry)(
        fields.key.data(), buffer.data(), static_cast<std::int16_t>(fields.data.size()),
        buffer.data(), fields.iv.data());
    if (auto refusal = RefuseUnlessDone(route->by, result)) {
        return *refusal;
    }
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
    auto run = RunCmac(library, cipher, std::get<CheckedFields>(read));
    if (auto* refusal = std::get_if<Refusal>(&run)) {
        return *refusal;
    }
    Bytes mac = std::get<Bytes>(std::move(run));
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
