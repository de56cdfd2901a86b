// A faulty build of the library, for the checks that must catch one: every
// export is the real library's but two, EnOrDecrypt_3DES_3KEY_CBC and
// AES_CMAC, whose answers come back with their last bit flipped. The real
// library is a dependency, so a lookup through this one finds the other
// thirteen there.
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

} // namespace

extern "C" {

std::int32_t EnOrDecrypt_3DES_3KEY_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                       std::uint32_t length, std::uint8_t* data) noexcept {
    const std::int32_t result = Real<decltype(::EnOrDecrypt_3DES_3KEY_CBC)>(
        "EnOrDecrypt_3DES_3KEY_CBC")(mode, key, iv, length, data);
    FlipLastBit(std::span(data, length));
    return result;
}

std::int32_t AES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                      std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    const std::int32_t result = Real<decltype(::AES_CMAC)>("AES_CMAC")(key, data, length, mac, iv);
    FlipLastBit(std::span(mac, TAVIK_AES_BLOCK_SIZE));
    return result;
}

} // extern "C"
