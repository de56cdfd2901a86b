// A faulty build of the library for every self-check that must catch one,
// the card operations' and tavik's (its traces and verify): the block
// exports are the real library's, but every whole-message export the checks
// compare against (the CBC exports, both AES directions, and the three CMACs)
// answers with its last bit flipped. The real library is a dependency, so a
// lookup through this one finds the block exports there.
#include "tavik_alg.h"

#include <dlfcn.h>

#include <cstdint>
#include <span>

namespace {

template <typename Function>
Function* Real(const char* name) {
    void* const library = dlopen(TAVIK_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    return reinterpret_cast<Function*>(dlsym(library, name));
}

void FlipLastBit(std::span<std::uint8_t> bytes) {
    if (!bytes.empty()) {
        bytes.back() = static_cast<std::uint8_t>(bytes.back() ^ 1U);
    }
}

template <typename Function>
std::int32_t SkewedDesCbc(const char* name, std::uint8_t mode, const std::uint8_t* key,
                          std::uint8_t* iv, std::uint32_t length, std::uint8_t* data) {
    const std::int32_t result = Real<Function>(name)(mode, key, iv, length, data);
    FlipLastBit(std::span(data, length));
    return result;
}

template <typename Function>
std::int32_t SkewedCmac(const char* name, const std::uint8_t* key, const std::uint8_t* data,
                        std::int16_t length, std::uint8_t* mac, const std::uint8_t* iv,
                        std::size_t mac_size) {
    const std::int32_t result = Real<Function>(name)(key, data, length, mac, iv);
    FlipLastBit(std::span(mac, mac_size));
    return result;
}

} // namespace

extern "C" {

std::int32_t EnOrDecrypt_DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                 std::uint32_t length, std::uint8_t* data) noexcept {
    return SkewedDesCbc<decltype(::EnOrDecrypt_DES_CBC)>("EnOrDecrypt_DES_CBC", mode, key, iv,
                                                         length, data);
}

std::int32_t EnOrDecrypt_3DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                  std::uint32_t length, std::uint8_t* data) noexcept {
    return SkewedDesCbc<decltype(::EnOrDecrypt_3DES_CBC)>("EnOrDecrypt_3DES_CBC", mode, key, iv,
                                                          length, data);
}

std::int32_t EnOrDecrypt_3DES_3KEY_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                       std::uint32_t length, std::uint8_t* data) noexcept {
    return SkewedDesCbc<decltype(::EnOrDecrypt_3DES_3KEY_CBC)>("EnOrDecrypt_3DES_3KEY_CBC", mode,
                                                               key, iv, length, data);
}

std::int32_t AES_EncryptCBC(std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    const std::int32_t result =
        Real<decltype(::AES_EncryptCBC)>("AES_EncryptCBC")(input, roundKeys, output, length, iv);
    FlipLastBit(std::span(output, length / TAVIK_AES_BLOCK_SIZE * TAVIK_AES_BLOCK_SIZE));
    return result;
}

std::int32_t AES_DecryptCBC(const std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    const std::int32_t result =
        Real<decltype(::AES_DecryptCBC)>("AES_DecryptCBC")(input, roundKeys, output, length, iv);
    FlipLastBit(std::span(output, length / TAVIK_AES_BLOCK_SIZE * TAVIK_AES_BLOCK_SIZE));
    return result;
}

std::int32_t TDES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                       std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return SkewedCmac<decltype(::TDES_CMAC)>("TDES_CMAC", key, data, length, mac, iv,
                                             TAVIK_DES_BLOCK_SIZE);
}

std::int32_t TDES_3KEY_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                            std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return SkewedCmac<decltype(::TDES_3KEY_CMAC)>("TDES_3KEY_CMAC", key, data, length, mac, iv,
                                                  TAVIK_DES_BLOCK_SIZE);
}

std::int32_t AES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                      std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return SkewedCmac<decltype(::AES_CMAC)>("AES_CMAC", key, data, length, mac, iv,
                                            TAVIK_AES_BLOCK_SIZE);
}

} // extern "C"
