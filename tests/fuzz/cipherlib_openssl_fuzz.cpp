// Every export against the same operation rebuilt on OpenSSL, on the same
// fuzzer-chosen arguments; any difference traps.
#include "cipher_case.h"
#include "fuzz_check.h"
#include "openssl_peer.h"

#include <cstddef>
#include <cstdint>

namespace {

using orvelin::fuzz::Bytes;
using orvelin::fuzz::CipherCase;
using orvelin::fuzz::Export;
using orvelin::fuzz::Require;
using orvelin::fuzz::Same;
namespace peer = testing_support::peer;
using peer::Cipher;

using BlockFunction = std::int32_t (*)(const std::uint8_t*, const std::uint8_t*,
                                       std::uint8_t*) noexcept;

Cipher CipherOf(Export function) {
    switch (function) {
    case Export::EnOrDecrypt_DES:
    case Export::EnOrDecrypt_DES_CBC:
        return Cipher::des;
    case Export::EnOrDecrypt_3DES:
    case Export::EnOrDecrypt_3DES_CBC:
    case Export::TDES_CMAC:
        return Cipher::tdes2;
    case Export::EnOrDecrypt_3DES_3KEY:
    case Export::EnOrDecrypt_3DES_3KEY_CBC:
    case Export::TDES_3KEY_CMAC:
        return Cipher::tdes3;
    default:
        return Cipher::aes128;
    }
}

// Variation bit 0 makes the output buffer the input buffer where that is allowed.
bool InPlace(const CipherCase& c) {
    return (c.variation & 1U) != 0;
}

void CompareDesBlock(const CipherCase& c) {
    Bytes block = orvelin::fuzz::LeadingBytes(c.data, TAVIK_DES_BLOCK_SIZE);
    const Bytes expected = peer::ecb(Cipher::des, c.mode == TAVIK_MODE_ENCRYPT, c.key, block);
    Require(EnOrDecrypt_DES(c.mode, c.key.data(), block.data()) == TAVIK_DONE);
    Require(block == expected);
}

void CompareDesEcb(const CipherCase& c) {
    const auto ecb =
        c.function == Export::EnOrDecrypt_3DES ? EnOrDecrypt_3DES : EnOrDecrypt_3DES_3KEY;
    const auto message = orvelin::fuzz::DesFamilyMessage(c);
    Bytes data = message.bytes;
    const auto result = ecb(c.mode, c.key.data(), message.length, data.data());
    if (!message.in_contract) {
        Require(result == TAVIK_LENGTH_NOT_MULTIPLE_OF_8);
        return;
    }
    Require(result == TAVIK_DONE);
    Require(data ==
            peer::ecb(CipherOf(c.function), c.mode == TAVIK_MODE_ENCRYPT, c.key, message.bytes));
}

void CompareDesCbc(const CipherCase& c) {
    const auto cbc = c.function == Export::EnOrDecrypt_DES_CBC    ? EnOrDecrypt_DES_CBC
                     : c.function == Export::EnOrDecrypt_3DES_CBC ? EnOrDecrypt_3DES_CBC
                                                                  : EnOrDecrypt_3DES_3KEY_CBC;
    const auto message = orvelin::fuzz::DesFamilyMessage(c);
    Bytes data = message.bytes;
    Bytes iv = c.iv;
    const auto result = cbc(c.mode, c.key.data(), iv.data(), message.length, data.data());
    if (!message.in_contract) {
        Require(result == TAVIK_LENGTH_NOT_MULTIPLE_OF_8);
        return;
    }
    Bytes peer_iv = c.iv;
    const Bytes expected = peer::cbc(CipherOf(c.function), c.mode, c.key, peer_iv, message.bytes);
    Require(result == TAVIK_DONE && data == expected && iv == peer_iv);
}

void CompareCmac(const CipherCase& c) {
    const auto cmac = c.function == Export::TDES_CMAC        ? TDES_CMAC
                      : c.function == Export::TDES_3KEY_CMAC ? TDES_3KEY_CMAC
                                                             : AES_CMAC;
    const auto max_length =
        c.function == Export::AES_CMAC ? TAVIK_AES_CMAC_MAX_LENGTH : TAVIK_TDES_CMAC_MAX_LENGTH;
    const auto message = orvelin::fuzz::CmacMessage(c, static_cast<std::int16_t>(max_length));
    Bytes mac(c.iv.size(), c.variation);
    const auto result =
        cmac(c.key.data(), message.bytes.data(), message.length, mac.data(), c.iv.data());
    if (!message.in_contract) {
        Require(result == TAVIK_CMAC_LENGTH_OUT_OF_RANGE);
        return;
    }
    Require(result == TAVIK_DONE);
    Require(mac == peer::cmac_from_iv(CipherOf(c.function), c.key, c.iv, message.bytes));
}

Bytes Schedule(const Bytes& key) {
    Bytes schedule(TAVIK_AES_SCHEDULE_SIZE);
    Require(AES_ExpandKey(key.data(), schedule.data()) == TAVIK_DONE);
    return schedule;
}

void CompareAesBlock(const CipherCase& c, bool encrypt) {
    const BlockFunction block_function = encrypt ? AES_Encrypt : AES_Decrypt;
    const Bytes schedule = Schedule(c.key);
    const Bytes input = orvelin::fuzz::LeadingBytes(c.data, TAVIK_AES_BLOCK_SIZE);
    Bytes output = InPlace(c) ? input : Bytes(TAVIK_AES_BLOCK_SIZE, c.variation);
    const std::uint8_t* const source = InPlace(c) ? output.data() : input.data();
    Require(block_function(source, schedule.data(), output.data()) == TAVIK_DONE);
    Require(output == peer::ecb(Cipher::aes128, encrypt, c.key, input));
}

void CompareAesCbc(const CipherCase& c) {
    const bool encrypt = c.function == Export::AES_EncryptCBC;
    const Bytes schedule = Schedule(c.key);
    const auto message = orvelin::fuzz::AesCbcMessage(c);
    Bytes input = message.bytes;
    Bytes separate(message.bytes.size(), c.variation);
    Bytes& output = InPlace(c) ? input : separate;
    const auto result = encrypt ? AES_EncryptCBC(input.data(), schedule.data(), output.data(),
                                                 message.length, c.iv.data())
                                : AES_DecryptCBC(input.data(), schedule.data(), output.data(),
                                                 message.length, c.iv.data());
    Require(result == TAVIK_DONE);
    const std::size_t whole = message.bytes.size() - message.bytes.size() % TAVIK_AES_BLOCK_SIZE;
    Bytes peer_iv = c.iv;
    const auto mode = encrypt ? TAVIK_MODE_CBC_ENCRYPT : TAVIK_MODE_CBC_DECRYPT;
    const Bytes expected = peer::cbc(Cipher::aes128, static_cast<std::uint8_t>(mode), c.key,
                                     peer_iv, std::span(message.bytes).first(whole));
    Require(Same(std::span(output).first(whole), expected));
}

void Compare(const CipherCase& c) {
    switch (c.function) {
    case Export::lib_ver: {
        std::uint32_t version = 0;
        Require(lib_ver(&version) == TAVIK_DONE && version == TAVIK_ALG_VERSION);
        return;
    }
    case Export::EnOrDecrypt_DES:
        return CompareDesBlock(c);
    case Export::EnOrDecrypt_3DES:
    case Export::EnOrDecrypt_3DES_3KEY:
        return CompareDesEcb(c);
    case Export::EnOrDecrypt_DES_CBC:
    case Export::EnOrDecrypt_3DES_CBC:
    case Export::EnOrDecrypt_3DES_3KEY_CBC:
        return CompareDesCbc(c);
    case Export::TDES_CMAC:
    case Export::TDES_3KEY_CMAC:
    case Export::AES_CMAC:
        return CompareCmac(c);
    case Export::AES_ExpandKey:
        // One schedule serves both directions.
        CompareAesBlock(c, true);
        return CompareAesBlock(c, false);
    case Export::AES_Encrypt:
    case Export::AES_Decrypt:
        return CompareAesBlock(c, c.function == Export::AES_Encrypt);
    case Export::AES_EncryptCBC:
    case Export::AES_DecryptCBC:
        return CompareAesCbc(c);
    case Export::count:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Compare(orvelin::fuzz::Decode({data, size}));
    return 0;
}
