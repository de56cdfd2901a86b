// AES-128: the schedule, single blocks in and out of place, and CBC over
// whole blocks with the tail and the IV left alone.
#include "cipher_case.h"
#include "contract_checks.h"
#include "fuzz_check.h"

namespace orvelin::fuzz {
namespace {

using BlockFunction = std::int32_t (*)(const std::uint8_t*, const std::uint8_t*,
                                       std::uint8_t*) noexcept;

Bytes Schedule(const Bytes& key) {
    Bytes schedule(TAVIK_AES_SCHEDULE_SIZE);
    Require(AES_ExpandKey(key.data(), schedule.data()) == TAVIK_DONE);
    return schedule;
}

std::size_t WholeSize(const Bytes& b) {
    return b.size() - b.size() % TAVIK_AES_BLOCK_SIZE;
}
std::span<const std::uint8_t> Whole(const Bytes& b) {
    return std::span(b).first(WholeSize(b));
}
std::span<const std::uint8_t> Tail(const Bytes& b) {
    return std::span(b).subspan(WholeSize(b));
}
std::span<const std::uint8_t> BlockAt(const Bytes& b, std::size_t index) {
    return std::span(b).subspan(index * TAVIK_AES_BLOCK_SIZE, TAVIK_AES_BLOCK_SIZE);
}

// The same ciphertext when `output` is `input`; the tail stays as it was.
template <typename Cbc>
void RequireSameInPlace(Cbc cbc, const CipherCase& c, const Bytes& schedule, const Bytes& input,
                        const Bytes& output) {
    Bytes in_place = input;
    Require(cbc(in_place.data(), schedule.data(), in_place.data(),
                static_cast<std::uint16_t>(input.size()), c.iv.data()) == TAVIK_DONE);
    Require(Same(Whole(in_place), Whole(output)) && Same(Tail(in_place), Tail(input)));
}

void CheckEncryptCbc(const CipherCase& c, const Bytes& schedule, const Bytes& plain) {
    const auto length = static_cast<std::uint16_t>(plain.size());
    const Bytes iv = c.iv;
    Bytes input = plain;
    const Bytes fill(plain.size(), c.variation);
    Bytes output = fill;
    Require(AES_EncryptCBC(input.data(), schedule.data(), output.data(), length, iv.data()) ==
            TAVIK_DONE);
    Require(iv == c.iv && Same(Tail(input), Tail(plain)) && Same(Tail(output), Tail(fill)));
    // Each whole block of `input` now holds P xor V, V the IV or the previous
    // ciphertext block.
    for (std::size_t i = 0; i < plain.size() / TAVIK_AES_BLOCK_SIZE; ++i) {
        const auto chaining = i == 0 ? std::span<const std::uint8_t>(iv) : BlockAt(output, i - 1);
        for (std::size_t j = 0; j < TAVIK_AES_BLOCK_SIZE; ++j) {
            Require(BlockAt(input, i)[j] == (BlockAt(plain, i)[j] ^ chaining[j]));
        }
    }
    RequireSameInPlace(AES_EncryptCBC, c, schedule, plain, output);
    Bytes back = fill;
    Require(AES_DecryptCBC(output.data(), schedule.data(), back.data(), length, iv.data()) ==
            TAVIK_DONE);
    Require(Same(Whole(back), Whole(plain)));
}

void CheckDecryptCbc(const CipherCase& c, const Bytes& schedule, const Bytes& cipher) {
    const auto length = static_cast<std::uint16_t>(cipher.size());
    const Bytes iv = c.iv;
    const Bytes input = cipher;
    const Bytes fill(cipher.size(), c.variation);
    Bytes output = fill;
    Require(AES_DecryptCBC(input.data(), schedule.data(), output.data(), length, iv.data()) ==
            TAVIK_DONE);
    Require(iv == c.iv && input == cipher && Same(Tail(output), Tail(fill)));
    RequireSameInPlace(AES_DecryptCBC, c, schedule, cipher, output);
    Bytes again = fill;
    Require(AES_EncryptCBC(output.data(), schedule.data(), again.data(), length, iv.data()) ==
            TAVIK_DONE);
    Require(Same(Whole(again), Whole(cipher)));
}

} // namespace

void CheckAesKeyExpansion(const CipherCase& c) {
    // Every byte of the schedule is written, whatever the buffer held.
    Bytes zeros(TAVIK_AES_SCHEDULE_SIZE, 0x00);
    Bytes ones(TAVIK_AES_SCHEDULE_SIZE, 0xFF);
    Require(AES_ExpandKey(c.key.data(), zeros.data()) == TAVIK_DONE);
    Require(AES_ExpandKey(c.key.data(), ones.data()) == TAVIK_DONE);
    Require(zeros == ones);
}

void CheckAesBlock(const CipherCase& c) {
    const bool encrypt = c.function == Export::AES_Encrypt;
    const BlockFunction forward = encrypt ? AES_Encrypt : AES_Decrypt;
    const BlockFunction backward = encrypt ? AES_Decrypt : AES_Encrypt;
    const Bytes schedule = Schedule(c.key);
    const Bytes input = LeadingBytes(c.data, TAVIK_AES_BLOCK_SIZE);
    const Bytes in = input;
    Bytes out(TAVIK_AES_BLOCK_SIZE, c.variation);
    Require(forward(in.data(), schedule.data(), out.data()) == TAVIK_DONE && in == input);
    Bytes in_place = input;
    Require(forward(in_place.data(), schedule.data(), in_place.data()) == TAVIK_DONE);
    Require(in_place == out);
    Bytes back(TAVIK_AES_BLOCK_SIZE);
    Require(backward(out.data(), schedule.data(), back.data()) == TAVIK_DONE && back == input);
}

void CheckAesCbc(const CipherCase& c) {
    const Bytes schedule = Schedule(c.key);
    const auto message = AesCbcMessage(c);
    if (c.function == Export::AES_EncryptCBC) {
        CheckEncryptCbc(c, schedule, message.bytes);
    } else {
        CheckDecryptCbc(c, schedule, message.bytes);
    }
}

} // namespace orvelin::fuzz
