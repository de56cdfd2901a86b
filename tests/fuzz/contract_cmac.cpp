// The CMACs: refusals outside the length contract that leave `mac` as it
// was, and a MAC written over the start of its own message.
#include "cipher_case.h"
#include "contract_checks.h"
#include "fuzz_check.h"

#include <algorithm>

namespace orvelin::fuzz {
namespace {

using CmacFunction = std::int32_t (*)(const std::uint8_t*, const std::uint8_t*, std::int16_t,
                                      std::uint8_t*, const std::uint8_t*) noexcept;

// Returns the MAC the call wrote, or nothing outside the contract.
Bytes RequireCmacContract(CmacFunction cmac, const CipherCase& c, std::int16_t max_length,
                          std::size_t block_size) {
    const auto message = CmacMessage(c, max_length);
    const Bytes data = message.bytes;
    const Bytes before(block_size, c.variation);
    Bytes mac = before;
    const auto result = cmac(c.key.data(), data.data(), message.length, mac.data(), c.iv.data());
    Require(data == message.bytes);
    if (!message.in_contract) {
        Require(result == TAVIK_CMAC_LENGTH_OUT_OF_RANGE && mac == before);
        return {};
    }
    Require(result == TAVIK_DONE);

    // One buffer holding the message at its start and at least a MAC's room.
    Bytes shared(std::max(data.size(), block_size), c.variation);
    std::ranges::copy(data, shared.begin());
    Bytes expected = shared;
    std::ranges::copy(mac, expected.begin());
    Require(cmac(c.key.data(), shared.data(), message.length, shared.data(), c.iv.data()) ==
            TAVIK_DONE);
    Require(shared == expected);
    return mac;
}

} // namespace

void CheckTdesCmac(const CipherCase& c) {
    const auto max_length = static_cast<std::int16_t>(TAVIK_TDES_CMAC_MAX_LENGTH);
    if (c.function == Export::TDES_3KEY_CMAC) {
        RequireCmacContract(TDES_3KEY_CMAC, c, max_length, TAVIK_DES_BLOCK_SIZE);
        return;
    }
    const Bytes mac = RequireCmacContract(TDES_CMAC, c, max_length, TAVIK_DES_BLOCK_SIZE);
    if (mac.empty()) {
        return;
    }
    // The two-key form is the three-key form with K3 = K1.
    CipherCase three_keys = c;
    three_keys.key = AsThreeKeys(c.key);
    Require(RequireCmacContract(TDES_3KEY_CMAC, three_keys, max_length, TAVIK_DES_BLOCK_SIZE) ==
            mac);
}

void CheckAesCmac(const CipherCase& c) {
    RequireCmacContract(AES_CMAC, c, static_cast<std::int16_t>(TAVIK_AES_CMAC_MAX_LENGTH),
                        TAVIK_AES_BLOCK_SIZE);
}

} // namespace orvelin::fuzz
