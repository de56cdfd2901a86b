// The three CMAC buttons and Key Xor In.
#include "export_result.h"
#include "field_reading.h"

#include <algorithm>

namespace orvelin {
namespace {

Bytes OddBytes(const Bytes& mac) {
    Bytes odd;
    for (std::size_t i = 1; i < mac.size(); i += 2) {
        odd.push_back(mac[i]);
    }
    return odd;
}

} // namespace

FieldChecks CmacChecks(Cipher cipher) {
    return {.cipher = CipherModel{.cipher = cipher}, .iv = IvReading::one_block};
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
    const auto& checked = std::get<CheckedFields>(read);
    auto run = RunCmacRoute(library, {.cipher = cipher}, checked.key, checked.iv, checked.data);
    if (const auto* failure = std::get_if<RouteFailure>(&run)) {
        return RefusalOf(*failure);
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
