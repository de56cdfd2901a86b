// The library's exports as value-in, value-out calls, so tests read as the
// standards' examples do.
#ifndef ORVELIN_TESTS_CALLS_H
#define ORVELIN_TESTS_CALLS_H

#include "hex.h"
#include "tavik_alg.h"

#include <array>
#include <cstdint>

namespace calls {

using testing_support::Bytes;

constexpr std::uint8_t kEncrypt = TAVIK_MODE_ENCRYPT;
constexpr std::uint8_t kDecrypt = TAVIK_MODE_DECRYPT;
constexpr std::uint8_t kCbcEncrypt = TAVIK_MODE_CBC_ENCRYPT;
constexpr std::uint8_t kCbcDecrypt = TAVIK_MODE_CBC_DECRYPT;

constexpr std::uint8_t block_mode(bool encrypt) {
    return encrypt ? kEncrypt : kDecrypt;
}
constexpr std::uint8_t cbc_mode(bool encrypt) {
    return encrypt ? kCbcEncrypt : kCbcDecrypt;
}

using AesSchedule = std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE>;

using CbcFunction = decltype(&EnOrDecrypt_DES_CBC);
using EcbFunction = decltype(&EnOrDecrypt_3DES);
using CmacFunction = decltype(&AES_CMAC);

// Single DES block by block.
inline Bytes des_ecb(std::uint8_t mode, const Bytes& key, Bytes data) {
    for (std::size_t offset = 0; offset + TAVIK_DES_BLOCK_SIZE <= data.size();
         offset += TAVIK_DES_BLOCK_SIZE) {
        EnOrDecrypt_DES(mode, key.data(), data.data() + offset);
    }
    return data;
}

inline Bytes ecb(EcbFunction f, std::uint8_t mode, const Bytes& key, Bytes data) {
    f(mode, key.data(), static_cast<std::uint32_t>(data.size()), data.data());
    return data;
}

inline Bytes cbc(CbcFunction f, std::uint8_t mode, const Bytes& key, Bytes iv, Bytes data) {
    f(mode, key.data(), iv.data(), static_cast<std::uint32_t>(data.size()), data.data());
    return data;
}

inline AesSchedule aes_schedule(const Bytes& key) {
    AesSchedule schedule{};
    AES_ExpandKey(key.data(), schedule.data());
    return schedule;
}

inline Bytes aes_ecb(bool encrypt, const Bytes& key, Bytes data) {
    const auto schedule = aes_schedule(key);
    for (std::size_t offset = 0; offset + TAVIK_AES_BLOCK_SIZE <= data.size();
         offset += TAVIK_AES_BLOCK_SIZE) {
        auto* block = data.data() + offset;
        encrypt ? AES_Encrypt(block, schedule.data(), block)
                : AES_Decrypt(block, schedule.data(), block);
    }
    return data;
}

inline Bytes aes_cbc(bool encrypt, const Bytes& key, const Bytes& iv, Bytes data) {
    const auto schedule = aes_schedule(key);
    const auto length = static_cast<std::uint16_t>(data.size());
    encrypt ? AES_EncryptCBC(data.data(), schedule.data(), data.data(), length, iv.data())
            : AES_DecryptCBC(data.data(), schedule.data(), data.data(), length, iv.data());
    return data;
}

// The full MAC block, as long as the IV: one AES or one DES block.
inline Bytes cmac(CmacFunction f, const Bytes& key, const Bytes& message, const Bytes& iv) {
    Bytes mac(iv.size());
    f(key.data(), message.data(), static_cast<std::int16_t>(message.size()), mac.data(), iv.data());
    return mac;
}

} // namespace calls

#endif
