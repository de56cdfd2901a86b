// The three CMAC buttons and Key Xor In.
#include "field_reading.h"

#include <algorithm>

namespace orvelin {
namespace {

using CmacEntry = const BoundFunction<decltype(::AES_CMAC)> TavikAlgBinding::*;

// The full MAC lands over the start of the data buffer, passed as `mac`; the
// IV is read whether or not its field is enabled, and the data may be any
// length: the library pads it.
std::variant<Refusal, Bytes> RunCmac(const TavikAlgBinding& library, const Algorithm& algorithm,
                                     CmacEntry entry, const Fields& fields) {
    auto read = ReadChecked(fields, {&algorithm, true, false});
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    auto& checked = std::get<CheckedFields>(read);
    (library.*entry)(checked.key.data(), checked.data.data(),
                     static_cast<std::int16_t>(checked.data_length), checked.data.data(),
                     checked.iv.data());
    return FirstBytes(checked.data, algorithm.block);
}

// The triple-DES MACs are shown whole in both fields.
Outcome TripleDesCmac(const TavikAlgBinding& library, const Algorithm& algorithm, CmacEntry entry,
                      const Fields& fields) {
    auto mac = RunCmac(library, algorithm, entry, fields);
    if (auto* refusal = std::get_if<Refusal>(&mac)) {
        return *refusal;
    }
    const Bytes& bytes = std::get<Bytes>(mac);
    return Shown{bytes, bytes};
}

Bytes OddBytes(const Bytes& mac) {
    Bytes odd;
    for (std::size_t i = 1; i < mac.size(); i += 2) {
        odd.push_back(mac[i]);
    }
    return odd;
}

} // namespace

Outcome AesCmac(const TavikAlgBinding& library, const Fields& fields) {
    auto mac = RunCmac(library, kAes, &TavikAlgBinding::AES_CMAC, fields);
    if (auto* refusal = std::get_if<Refusal>(&mac)) {
        return *refusal;
    }
    const Bytes& bytes = std::get<Bytes>(mac);
    return Shown{bytes, OddBytes(bytes)};
}

Outcome TdesCmac(const TavikAlgBinding& library, const Fields& fields) {
    return TripleDesCmac(library, kTwoKeyTdes, &TavikAlgBinding::TDES_CMAC, fields);
}

Outcome Tdes3KeyCmac(const TavikAlgBinding& library, const Fields& fields) {
    return TripleDesCmac(library, kThreeKeyTdes, &TavikAlgBinding::TDES_3KEY_CMAC, fields);
}

// Checks nothing but that both fields can be read into their buffers.
Outcome KeyXorIn(const Fields& fields) {
    auto read = ReadChecked(fields, {});
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    const auto& checked = std::get<CheckedFields>(read);
    const std::size_t m = std::min(checked.key_length, checked.data_length);
    Bytes result(m);
    std::transform(checked.data.begin(), checked.data.begin() + static_cast<std::ptrdiff_t>(m),
                   checked.key.begin(), result.begin(),
                   [](std::uint8_t d, std::uint8_t s) { return static_cast<std::uint8_t>(d ^ s); });
    return Shown{std::move(result), std::nullopt};
}

} // namespace orvelin
