#include "library_calls.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace orvelin::cli {
namespace {

using TripleDesEcbEntry = const BoundFunction<decltype(::EnOrDecrypt_3DES)> TavikAlgBinding::*;
using DesCbcEntry = const BoundFunction<decltype(::EnOrDecrypt_DES_CBC)> TavikAlgBinding::*;
using CmacEntry = const BoundFunction<decltype(::AES_CMAC)> TavikAlgBinding::*;

// Single DES has no multi-block ECB export: its ECB is the block export.
struct DesFamilyExports {
    TripleDesEcbEntry ecb;
    DesCbcEntry cbc;
    std::string_view ecb_name;
    std::string_view cbc_name;
};

constexpr std::array<DesFamilyExports, 3> kDesFamily = {{
    {nullptr, &TavikAlgBinding::EnOrDecrypt_DES_CBC, "EnOrDecrypt_DES", "EnOrDecrypt_DES_CBC"},
    {&TavikAlgBinding::EnOrDecrypt_3DES, &TavikAlgBinding::EnOrDecrypt_3DES_CBC, "EnOrDecrypt_3DES",
     "EnOrDecrypt_3DES_CBC"},
    {&TavikAlgBinding::EnOrDecrypt_3DES_3KEY, &TavikAlgBinding::EnOrDecrypt_3DES_3KEY_CBC,
     "EnOrDecrypt_3DES_3KEY", "EnOrDecrypt_3DES_3KEY_CBC"},
}};

const DesFamilyExports& DesExportsOf(Cipher cipher) {
    return kDesFamily.at(static_cast<std::size_t>(cipher));
}

// A key buffer as large as the largest key, whatever the caller kept.
std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> KeyBuffer(const CheckedInput& input,
                                                         const Algorithm& algorithm) {
    if (input.key.size() < std::max(algorithm.key_length, algorithm.key_minimum) ||
        input.iv.size() != algorithm.block) {
        throw std::invalid_argument("library call: key or IV of the wrong size");
    }
    std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> key{};
    std::copy_n(input.key.begin(), std::min(input.key.size(), key.size()), key.begin());
    return key;
}

void RequireWholeBlocks(const CheckedInput& input, Cipher cipher) {
    const CipherFacts& facts = FactsOf(cipher);
    if (input.data.size() % facts.algorithm->block != 0 || input.data.size() > facts.data_limit) {
        throw std::invalid_argument("library call: data outside the export's contract");
    }
}

void RunDesFamily(const TavikAlgBinding& library, Cipher cipher, Direction direction, bool cbc,
                  const CheckedInput& input, Bytes& data) {
    auto key = KeyBuffer(input, *FactsOf(cipher).algorithm);
    const DesFamilyExports& exports = DesExportsOf(cipher);
    const auto length = static_cast<std::uint32_t>(data.size());
    if (cbc) {
        Bytes iv = input.iv; // the export leaves the last chaining value in it
        const std::uint8_t mode =
            direction == Direction::encrypt ? TAVIK_MODE_CBC_ENCRYPT : TAVIK_MODE_CBC_DECRYPT;
        (library.*exports.cbc)(mode, key.data(), iv.data(), length, data.data());
        return;
    }
    const std::uint8_t mode =
        direction == Direction::encrypt ? TAVIK_MODE_ENCRYPT : TAVIK_MODE_DECRYPT;
    if (exports.ecb != nullptr) {
        (library.*exports.ecb)(mode, key.data(), length, data.data());
        return;
    }
    for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_DES_BLOCK_SIZE) {
        library.EnOrDecrypt_DES(mode, key.data(), std::span(data).subspan(offset).data());
    }
}

void RunAes(const TavikAlgBinding& library, Direction direction, bool cbc,
            const CheckedInput& input, Bytes& data) {
    auto key = KeyBuffer(input, kAes);
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule{};
    library.AES_ExpandKey(key.data(), schedule.data());
    const auto length = static_cast<std::uint16_t>(data.size());
    // AES_EncryptCBC writes P xor V back into its input, which is our copy.
    if (cbc && direction == Direction::encrypt) {
        library.AES_EncryptCBC(data.data(), schedule.data(), data.data(), length, input.iv.data());
    } else if (cbc) {
        library.AES_DecryptCBC(data.data(), schedule.data(), data.data(), length, input.iv.data());
    } else {
        const auto& block_call =
            direction == Direction::encrypt ? library.AES_Encrypt : library.AES_Decrypt;
        for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_AES_BLOCK_SIZE) {
            std::uint8_t* const block = std::span(data).subspan(offset).data();
            block_call(block, schedule.data(), block);
        }
    }
}

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
    throw std::invalid_argument("library call: single DES has no CMAC");
}

} // namespace

std::string_view CipherExportName(Cipher cipher, Direction direction, bool cbc) {
    if (cipher == Cipher::aes) {
        if (cbc) {
            return direction == Direction::encrypt ? "AES_EncryptCBC" : "AES_DecryptCBC";
        }
        return direction == Direction::encrypt ? "AES_Encrypt" : "AES_Decrypt";
    }
    const DesFamilyExports& exports = DesExportsOf(cipher);
    return cbc ? exports.cbc_name : exports.ecb_name;
}

std::string_view CmacExportName(Cipher cipher) {
    switch (cipher) {
    case Cipher::two_key_tdes:
        return "TDES_CMAC";
    case Cipher::three_key_tdes:
        return "TDES_3KEY_CMAC";
    default:
        return "AES_CMAC";
    }
}

Bytes RunCipher(const TavikAlgBinding& library, Cipher cipher, Direction direction, bool cbc,
                const CheckedInput& input) {
    RequireWholeBlocks(input, cipher);
    Bytes data = input.data;
    if (data.empty()) {
        return data;
    }
    if (cipher == Cipher::aes) {
        RunAes(library, direction, cbc, input, data);
    } else {
        RunDesFamily(library, cipher, direction, cbc, input, data);
    }
    return data;
}

Bytes RunCmac(const TavikAlgBinding& library, Cipher cipher, const CheckedInput& input) {
    const CmacEntry entry = CmacEntryOf(cipher);
    const CipherFacts& facts = FactsOf(cipher);
    if (input.data.size() > facts.cmac_limit) {
        throw std::invalid_argument("library call: message over the CMAC export's limit");
    }
    auto key = KeyBuffer(input, *facts.algorithm);
    Bytes mac(facts.algorithm->block);
    // An empty message still passes a pointer to something.
    const std::uint8_t none = 0;
    const std::uint8_t* const message = input.data.empty() ? &none : input.data.data();
    (library.*entry)(key.data(), message, static_cast<std::int16_t>(input.data.size()), mac.data(),
                     input.iv.data());
    return mac;
}

} // namespace orvelin::cli
