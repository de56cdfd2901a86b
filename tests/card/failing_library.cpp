// A build of the library whose exports fail on request, for the checks that
// every result is read: an export whose key (for the AES exports after
// AES_ExpandKey, the schedule, which begins with the key) starts with 0xF0
// plus its place in the header's list (EnOrDecrypt_DES F1, ..., AES_CMAC FE)
// returns kFailed without reading or writing anything. Any other call is the
// real library's, a dependency, as for the skewed build; so are the exports
// not defined here, which the operations never call.
#include "tavik_alg.h"

#include <dlfcn.h>

#include <cstdint>

namespace {

constexpr std::int32_t kFailed = TAVIK_LENGTH_NOT_MULTIPLE_OF_8;
constexpr std::uint8_t kTriggerBase = 0xF0;

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

// kFailed when `key` asks this export to fail, else the real export's answer.
template <typename Function, typename... Args>
std::int32_t Call(Place place, const char* name, const std::uint8_t* key, Args... args) {
    if (key[0] == kTriggerBase + place) {
        return kFailed;
    }
    void* const library = dlopen(TAVIK_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    return reinterpret_cast<Function*>(dlsym(library, name))(args...);
}

} // namespace

extern "C" {

std::int32_t EnOrDecrypt_DES(std::uint8_t mode, const std::uint8_t* key,
                             std::uint8_t* data) noexcept {
    return Call<decltype(::EnOrDecrypt_DES)>(des, "EnOrDecrypt_DES", key, mode, key, data);
}

std::int32_t EnOrDecrypt_3DES(std::uint8_t mode, const std::uint8_t* key, std::uint32_t length,
                              std::uint8_t* data) noexcept {
    return Call<decltype(::EnOrDecrypt_3DES)>(tdes, "EnOrDecrypt_3DES", key, mode, key, length,
                                              data);
}

std::int32_t EnOrDecrypt_3DES_3KEY(std::uint8_t mode, const std::uint8_t* key, std::uint32_t length,
                                   std::uint8_t* data) noexcept {
    return Call<decltype(::EnOrDecrypt_3DES_3KEY)>(tdes_3key, "EnOrDecrypt_3DES_3KEY", key, mode,
                                                   key, length, data);
}

std::int32_t EnOrDecrypt_DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                 std::uint32_t length, std::uint8_t* data) noexcept {
    return Call<decltype(::EnOrDecrypt_DES_CBC)>(des_cbc, "EnOrDecrypt_DES_CBC", key, mode, key, iv,
                                                 length, data);
}

std::int32_t EnOrDecrypt_3DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                  std::uint32_t length, std::uint8_t* data) noexcept {
    return Call<decltype(::EnOrDecrypt_3DES_CBC)>(tdes_cbc, "EnOrDecrypt_3DES_CBC", key, mode, key,
                                                  iv, length, data);
}

std::int32_t EnOrDecrypt_3DES_3KEY_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                       std::uint32_t length, std::uint8_t* data) noexcept {
    return Call<decltype(::EnOrDecrypt_3DES_3KEY_CBC)>(tdes_3key_cbc, "EnOrDecrypt_3DES_3KEY_CBC",
                                                       key, mode, key, iv, length, data);
}

std::int32_t TDES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                       std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return Call<decltype(::TDES_CMAC)>(tdes_cmac, "TDES_CMAC", key, key, data, length, mac, iv);
}

std::int32_t TDES_3KEY_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                            std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return Call<decltype(::TDES_3KEY_CMAC)>(tdes_3key_cmac, "TDES_3KEY_CMAC", key, key, data,
                                            length, mac, iv);
}

std::int32_t AES_ExpandKey(const std::uint8_t* key, std::uint8_t* roundKeys) noexcept {
    return Call<decltype(::AES_ExpandKey)>(aes_expand_key, "AES_ExpandKey", key, key, roundKeys);
}

std::int32_t AES_Encrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                         std::uint8_t* output) noexcept {
    return Call<decltype(::AES_Encrypt)>(aes_encrypt, "AES_Encrypt", roundKeys, input, roundKeys,
                                         output);
}

std::int32_t AES_Decrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                         std::uint8_t* output) noexcept {
    return Call<decltype(::AES_Decrypt)>(aes_decrypt, "AES_Decrypt", roundKeys, input, roundKeys,
                                         output);
}

std::int32_t AES_EncryptCBC(std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    return Call<decltype(::AES_EncryptCBC)>(aes_encrypt_cbc, "AES_EncryptCBC", roundKeys, input,
                                            roundKeys, output, length, iv);
}

std::int32_t AES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                      std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return Call<decltype(::AES_CMAC)>(aes_cmac, "AES_CMAC", key, key, data, length, mac, iv);
}

} // extern "C"
