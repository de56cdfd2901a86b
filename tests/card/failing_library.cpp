// A build of the library whose exports fail on request, for the checks that
// every result is read: an export whose key (for the AES block exports, the
// schedule, which begins with the key) starts with 0xF0 plus its place in the
// header's list (EnOrDecrypt_DES F1, ..., AES_CMAC FE) returns
// kFailed without reading or writing anything. Any other call is the real
// library's. The real library is a dependency, as for the skewed build.
#include "tavik_alg.h"

#include <dlfcn.h>

#include <cstdint>

namespace {

constexpr std::int32_t kFailed = TAVIK_LENGTH_NOT_MULTIPLE_OF_8;
constexpr std::uint8_t kTriggerBase = 0xF0;

template <typename Function>
Function* Real(const char* name) {
    void* const library = dlopen(TAVIK_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    return reinterpret_cast<Function*>(dlsym(library, name));
}

// Places in TAVIK_ALG_EXPORTS.
enum Place : std::uint8_t {
    des = 1,
    tdes,
    tdes_3key,
    des_cbc,
    tdes_cbc,
    tdes_3key_cbc,
    tdes_cmac,
    tdes_3key_cmac,
    aes_expand_key,
    aes_encrypt,
    aes_decrypt,
    aes_encrypt_cbc,
    aes_decrypt_cbc,
    aes_cmac,
};

bool Fails(Place place, const std::uint8_t* key) {
    return key[0] == kTriggerBase + place;
}

} // namespace

extern "C" {

std::int32_t EnOrDecrypt_DES(std::uint8_t mode, const std::uint8_t* key,
                             std::uint8_t* data) noexcept {
    return Fails(des, key) ? kFailed
                           : Real<decltype(::EnOrDecrypt_DES)>("EnOrDecrypt_DES")(mode, key, data);
}

std::int32_t EnOrDecrypt_3DES(std::uint8_t mode, const std::uint8_t* key, std::uint32_t length,
                              std::uint8_t* data) noexcept {
    return Fails(tdes, key)
               ? kFailed
               : Real<decltype(::EnOrDecrypt_3DES)>("EnOrDecrypt_3DES")(mode, key, length, data);
}

std::int32_t EnOrDecrypt_3DES_3KEY(std::uint8_t mode, const std::uint8_t* key, std::uint32_t length,
                                   std::uint8_t* data) noexcept {
    return Fails(tdes_3key, key) ? kFailed
                                 : Real<decltype(::EnOrDecrypt_3DES_3KEY)>("EnOrDecrypt_3DES_3KEY")(
                                       mode, key, length, data);
}

std::int32_t EnOrDecrypt_DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                 std::uint32_t length, std::uint8_t* data) noexcept {
    return Fails(des_cbc, key) ? kFailed
                               : Real<decltype(::EnOrDecrypt_DES_CBC)>("EnOrDecrypt_DES_CBC")(
                                     mode, key, iv, length, data);
}

std::int32_t EnOrDecrypt_3DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                  std::uint32_t length, std::uint8_t* data) noexcept {
    return Fails(tdes_cbc, key) ? kFailed
                                : Real<decltype(::EnOrDecrypt_3DES_CBC)>("EnOrDecrypt_3DES_CBC")(
                                      mode, key, iv, length, data);
}

std::int32_t EnOrDecrypt_3DES_3KEY_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                       std::uint32_t length, std::uint8_t* data) noexcept {
    return Fails(tdes_3key_cbc, key)
               ? kFailed
               : Real<decltype(::EnOrDecrypt_3DES_3KEY_CBC)>("EnOrDecrypt_3DES_3KEY_CBC")(
                     mode, key, iv, length, data);
}

std::int32_t TDES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                       std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return Fails(tdes_cmac, key)
               ? kFailed
               : Real<decltype(::TDES_CMAC)>("TDES_CMAC")(key, data, length, mac, iv);
}

std::int32_t TDES_3KEY_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                            std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return Fails(tdes_3key_cmac, key)
               ? kFailed
               : Real<decltype(::TDES_3KEY_CMAC)>("TDES_3KEY_CMAC")(key, data, length, mac, iv);
}

std::int32_t AES_ExpandKey(const std::uint8_t* key, std::uint8_t* roundKeys) noexcept {
    return Fails(aes_expand_key, key)
               ? kFailed
               : Real<decltype(::AES_ExpandKey)>("AES_ExpandKey")(key, roundKeys);
}

std::int32_t AES_Encrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                         std::uint8_t* output) noexcept {
    return Fails(aes_encrypt, roundKeys)
               ? kFailed
               : Real<decltype(::AES_Encrypt)>("AES_Encrypt")(input, roundKeys, output);
}

std::int32_t AES_Decrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                         std::uint8_t* output) noexcept {
    return Fails(aes_decrypt, roundKeys)
               ? kFailed
               : Real<decltype(::AES_Decrypt)>("AES_Decrypt")(input, roundKeys, output);
}

std::int32_t AES_EncryptCBC(std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    return Fails(aes_encrypt_cbc, roundKeys) ? kFailed
                                             : Real<decltype(::AES_EncryptCBC)>("AES_EncryptCBC")(
                                                   input, roundKeys, output, length, iv);
}

std::int32_t AES_DecryptCBC(const std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    return Fails(aes_decrypt_cbc, roundKeys) ? kFailed
                                             : Real<decltype(::AES_DecryptCBC)>("AES_DecryptCBC")(
                                                   input, roundKeys, output, length, iv);
}

std::int32_t AES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                      std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return Fails(aes_cmac, key)
               ? kFailed
               : Real<decltype(::AES_CMAC)>("AES_CMAC")(key, data, length, mac, iv);
}

} // extern "C"
