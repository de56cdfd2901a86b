// The three CMAC buttons and Key Xor In.
#include "field_reading.h"

#include <algorithm>

namespace orvelin {
namespace {

constexpr std::size_t kLargestBlock = 16;

struct CmacRule {
    std::size_t key_length;
    const char* key_message;
    std::size_t block;
    const char* iv_message;
    const BoundFunction<CmacFunction> TavikAlgBinding::*entry;
};

constexpr CmacRule kAesCmac{16, messages::kKeyLength16, 16, messages::kIvLength16,
                            &TavikAlgBinding::AES_CMAC};
constexpr CmacRule kTdesCmac{16, messages::kKeyLength16, 8, messages::kIvLength8,
                             &TavikAlgBinding::TDES_CMAC};
constexpr CmacRule kTdes3KeyCmac{24, messages::kKeyLength24, 8, messages::kIvLength8,
                                 &TavikAlgBinding::TDES_3KEY_CMAC};

// The full MAC lands over the start of the data buffer, passed as `mac`, and
// DataOut shows it.
Outcome RunCmac(const TavikAlgBinding& library, const CmacRule& rule, const Fields& fields) {
    FieldBuffer key{};
    const ReadField k = Read(labels::kSessionKey, fields.session_key, key);
    if (k.count() != rule.key_length) {
        return Refuse(rule.key_message);
    }
    FieldBuffer data{};
    const ReadField n = Read(labels::kDataIn, fields.data_in, data);
    std::array<std::uint8_t, kLargestBlock> iv_buffer{};
    const auto iv = std::span(iv_buffer).first(rule.block);
    const ReadField v = Read(labels::kIv, fields.iv, iv);
    if (v.count() != rule.block) {
        return Refuse(rule.iv_message);
    }
    if (auto refusal = RefuseUnreadable({k, n, v})) {
        return Refuse(*refusal);
    }
    (library.*rule.entry)(key.data(), data.data(), static_cast<std::int16_t>(n.count()),
                          data.data(), iv.data());
    return {{}, FirstBytes(data, rule.block), {}};
}

// The triple-DES MACs are shown whole in both fields.
Outcome TripleDesCmac(const TavikAlgBinding& library, const CmacRule& rule, const Fields& fields) {
    Outcome outcome = RunCmac(library, rule, fields);
    outcome.cmac = outcome.data_out;
    return outcome;
}

} // namespace

Outcome AesCmac(const TavikAlgBinding& library, const Fields& fields) {
    Outcome outcome = RunCmac(library, kAesCmac, fields);
    if (outcome.data_out) {
        Bytes odd_bytes;
        for (std::size_t i = 1; i < outcome.data_out->size(); i += 2) {
            odd_bytes.push_back((*outcome.data_out)[i]);
        }
        outcome.cmac = std::move(odd_bytes);
    }
    return outcome;
}

Outcome TdesCmac(const TavikAlgBinding& library, const Fields& fields) {
    return TripleDesCmac(library, kTdesCmac, fields);
}

Outcome Tdes3KeyCmac(const TavikAlgBinding& library, const Fields& fields) {
    return TripleDesCmac(library, kTdes3KeyCmac, fields);
}

Outcome KeyXorIn(const Fields& fields) {
    FieldBuffer key{};
    FieldBuffer data{};
    const ReadField k = Read(labels::kSessionKey, fields.session_key, key);
    const ReadField n = Read(labels::kDataIn, fields.data_in, data);
    if (auto refusal = RefuseUnreadable({k, n})) {
        return Refuse(*refusal);
    }
    const std::size_t m = std::min(k.count(), n.count());
    Bytes result(m);
    std::transform(data.begin(), data.begin() + static_cast<long>(m), key.begin(), result.begin(),
                   [](std::uint8_t d, std::uint8_t s) { return static_cast<std::uint8_t>(d ^ s); });
    return {{}, std::move(result), {}};
}

} // namespace orvelin
