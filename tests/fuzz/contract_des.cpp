// DES, triple DES and their CBC forms: round trips, refusals that touch
// nothing, the chaining value and chains split across calls.
#include "cipher_case.h"
#include "contract_checks.h"
#include "fuzz_check.h"

namespace orvelin::fuzz {
namespace {

using EcbFunction = std::int32_t (*)(std::uint8_t, const std::uint8_t*, std::uint32_t,
                                     std::uint8_t*) noexcept;
using CbcFunction = std::int32_t (*)(std::uint8_t, const std::uint8_t*, std::uint8_t*,
                                     std::uint32_t, std::uint8_t*) noexcept;

// The CBC `mode` bits that count; bit 1 chains for decryption.
constexpr std::uint8_t kCbcModeBits = 0x03;
constexpr std::uint8_t kDecryptionChaining = 0x02;

// The block functions decrypt on any `mode` but 0, so any such byte undoes 0.
std::uint8_t OtherDirection(const CipherCase& c) {
    if (c.mode != TAVIK_MODE_ENCRYPT) {
        return TAVIK_MODE_ENCRYPT;
    }
    return c.variation == 0 ? std::uint8_t{TAVIK_MODE_DECRYPT} : c.variation;
}

CbcFunction CbcOf(Export function) {
    switch (function) {
    case Export::EnOrDecrypt_DES_CBC:
        return EnOrDecrypt_DES_CBC;
    case Export::EnOrDecrypt_3DES_CBC:
        return EnOrDecrypt_3DES_CBC;
    default:
        return EnOrDecrypt_3DES_3KEY_CBC;
    }
}

std::uint32_t LengthOf(const Bytes& data) {
    return static_cast<std::uint32_t>(data.size());
}

// After the call `iv` holds the last ciphertext block: the one written when
// chaining for encryption, the one read when chaining for decryption.
void RequireChainValue(const CipherCase& c, const Bytes& before, const Bytes& after,
                       const Bytes& iv) {
    const Bytes& ciphertext = (c.mode & kDecryptionChaining) != 0 ? before : after;
    if (ciphertext.empty()) {
        Require(iv == c.iv);
        return;
    }
    Require(Same(iv, std::span(ciphertext).last(TAVIK_DES_BLOCK_SIZE)));
}

// Two consecutive calls over the pieces of a message equal one call over it.
void RequireChainAcrossCalls(CbcFunction cbc, const CipherCase& c, const Bytes& before,
                             const Bytes& after, const Bytes& iv) {
    const std::size_t blocks = before.size() / TAVIK_DES_BLOCK_SIZE;
    const auto split =
        static_cast<std::ptrdiff_t>(c.variation % (blocks + 1) * TAVIK_DES_BLOCK_SIZE);
    Bytes first(before.begin(), before.begin() + split);
    Bytes second(before.begin() + split, before.end());
    Bytes chain = c.iv;
    Require(cbc(c.mode, c.key.data(), chain.data(), LengthOf(first), first.data()) == TAVIK_DONE);
    Require(cbc(c.mode, c.key.data(), chain.data(), LengthOf(second), second.data()) == TAVIK_DONE);
    first.insert(first.end(), second.begin(), second.end());
    Require(first == after && chain == iv);
}

} // namespace

void CheckDesBlock(const CipherCase& c) {
    const Bytes plain = LeadingBytes(c.data, TAVIK_DES_BLOCK_SIZE);
    Bytes block = plain;
    Require(EnOrDecrypt_DES(c.mode, c.key.data(), block.data()) == TAVIK_DONE);
    Require(EnOrDecrypt_DES(OtherDirection(c), c.key.data(), block.data()) == TAVIK_DONE);
    Require(block == plain);
}

void CheckDesEcb(const CipherCase& c) {
    const bool two_keys = c.function == Export::EnOrDecrypt_3DES;
    const EcbFunction ecb = two_keys ? EnOrDecrypt_3DES : EnOrDecrypt_3DES_3KEY;
    const auto message = DesFamilyMessage(c);
    Bytes data = message.bytes;
    const auto result = ecb(c.mode, c.key.data(), message.length, data.data());
    Require(message.in_contract
                ? result == TAVIK_DONE
                : result == TAVIK_LENGTH_NOT_MULTIPLE_OF_8 && data == message.bytes);
    if (!message.in_contract) {
        return;
    }
    if (two_keys) {
        Bytes three = message.bytes;
        Require(EnOrDecrypt_3DES_3KEY(c.mode, AsThreeKeys(c.key).data(), message.length,
                                      three.data()) == TAVIK_DONE);
        Require(three == data);
    }
    Require(ecb(OtherDirection(c), c.key.data(), message.length, data.data()) == TAVIK_DONE);
    Require(data == message.bytes);
}

void CheckDesCbc(const CipherCase& c) {
    const CbcFunction cbc = CbcOf(c.function);
    const auto message = DesFamilyMessage(c);
    Bytes data = message.bytes;
    Bytes iv = c.iv;
    const auto result = cbc(c.mode, c.key.data(), iv.data(), message.length, data.data());
    if (!message.in_contract) {
        Require(result == TAVIK_LENGTH_NOT_MULTIPLE_OF_8 && data == message.bytes && iv == c.iv);
        return;
    }
    Require(result == TAVIK_DONE);
    RequireChainValue(c, message.bytes, data, iv);
    RequireChainAcrossCalls(cbc, c, message.bytes, data, iv);

    // Bits 2 to 7 of `mode` are ignored.
    Bytes low_bits = message.bytes;
    Bytes low_bits_iv = c.iv;
    Require(cbc(static_cast<std::uint8_t>(c.mode & kCbcModeBits), c.key.data(), low_bits_iv.data(),
                message.length, low_bits.data()) == TAVIK_DONE);
    Require(low_bits == data && low_bits_iv == iv);

    // 0 and 3 undo each other, and so do 1 and 2, from the same IV.
    Bytes back = data;
    Bytes back_iv = c.iv;
    Require(cbc(static_cast<std::uint8_t>(c.mode ^ kCbcModeBits), c.key.data(), back_iv.data(),
                message.length, back.data()) == TAVIK_DONE);
    Require(back == message.bytes && back_iv == iv);
}

} // namespace orvelin::fuzz
