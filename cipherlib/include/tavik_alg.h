// TAVIK_ALG: DES, triple DES, AES-128, CBC and CMAC on caller-owned buffers.
//
// Every function has C linkage, keeps no state, allocates nothing and returns a
// 32-bit signed result. Buffers belong to the caller; sizes are in bytes.
//
// Results: 0 done; -5 a DES-family length that is not a multiple of 8 (no
// buffer read or written); -1 a null `version` for lib_ver. The CMAC functions
// return 0 within their contract; for a length outside it (negative, or over
// 512 for the triple-DES forms) they read and write nothing, leave `mac` as it
// was and return kTavikCmacLengthOutOfRange.
//
// The `mode` byte: the block functions encrypt on 0 and decrypt on any other
// value. The CBC functions read bit 0 as the block direction (0 encrypt,
// 1 decrypt) and bit 1 as the chaining direction (0 encryption chaining,
// 1 decryption chaining); bits 2 to 7 are ignored. So 0 is CBC encryption and
// 3 is CBC decryption; 1 and 2 undo each other.
#ifndef TAVIK_ALG_H
#define TAVIK_ALG_H

#include <cstdint>

#if defined(_WIN32)
#if defined(TAVIK_ALG_BUILDING)
#define TAVIK_ALG_API __declspec(dllexport)
#else
#define TAVIK_ALG_API __declspec(dllimport)
#endif
#else
#define TAVIK_ALG_API __attribute__((visibility("default")))
#endif

// What lib_ver reports; independent of the file's own version record.
inline constexpr std::uint32_t kTavikAlgVersion = 0x1020;

// Results.
inline constexpr std::int32_t kTavikDone = 0;
inline constexpr std::int32_t kTavikNullVersion = -1;
inline constexpr std::int32_t kTavikCmacLengthOutOfRange = -2;
inline constexpr std::int32_t kTavikLengthNotMultipleOf8 = -5;

extern "C" {

// Writes 0x1020 to *version and returns 0; -1 if version is null.
TAVIK_ALG_API std::int32_t lib_ver(std::uint32_t* version) noexcept;

// One 8-byte block in place under an 8-byte key (parity bits ignored).
TAVIK_ALG_API std::int32_t EnOrDecrypt_DES(std::uint8_t mode, const std::uint8_t* key,
                                           std::uint8_t* data) noexcept;

// ECB over `length` bytes in place: two-key (16-byte key K1|K2, EDE as K1,K2,K1)
// and three-key (24-byte key K1|K2|K3). -5 unless length is a multiple of 8.
TAVIK_ALG_API std::int32_t EnOrDecrypt_3DES(std::uint8_t mode, const std::uint8_t* key,
                                            std::uint32_t length, std::uint8_t* data) noexcept;
TAVIK_ALG_API std::int32_t EnOrDecrypt_3DES_3KEY(std::uint8_t mode, const std::uint8_t* key,
                                                 std::uint32_t length, std::uint8_t* data) noexcept;

// CBC over `length` bytes in place. `iv` (8 bytes, must not overlap data)
// carries the chaining value: on return it holds the last ciphertext block, so
// a following call continues the chain. -5 unless length is a multiple of 8.
TAVIK_ALG_API std::int32_t EnOrDecrypt_DES_CBC(std::uint8_t mode, const std::uint8_t* key,
                                               std::uint8_t* iv, std::uint32_t length,
                                               std::uint8_t* data) noexcept;
TAVIK_ALG_API std::int32_t EnOrDecrypt_3DES_CBC(std::uint8_t mode, const std::uint8_t* key,
                                                std::uint8_t* iv, std::uint32_t length,
                                                std::uint8_t* data) noexcept;
TAVIK_ALG_API std::int32_t EnOrDecrypt_3DES_3KEY_CBC(std::uint8_t mode, const std::uint8_t* key,
                                                     std::uint8_t* iv, std::uint32_t length,
                                                     std::uint8_t* data) noexcept;

// Triple-DES CMAC chained from `iv` (8 bytes); the full 8-byte block is the
// MAC. `length` 0 to 512. `mac` may point at the start of `data`: it is
// written only after the whole message has been read. Keys as above.
TAVIK_ALG_API std::int32_t TDES_CMAC(const std::uint8_t* key, const std::uint8_t* data,
                                     std::int16_t length, std::uint8_t* mac,
                                     const std::uint8_t* iv) noexcept;
TAVIK_ALG_API std::int32_t TDES_3KEY_CMAC(const std::uint8_t* key, const std::uint8_t* data,
                                          std::int16_t length, std::uint8_t* mac,
                                          const std::uint8_t* iv) noexcept;

// AES-128: expand a 16-byte key into the 176-byte schedule that the other AES
// functions read; one schedule serves both directions and any number of calls.
TAVIK_ALG_API std::int32_t AES_ExpandKey(const std::uint8_t* key, std::uint8_t* roundKeys) noexcept;
// One 16-byte block; `output` may equal `input`.
TAVIK_ALG_API std::int32_t AES_Encrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                                       std::uint8_t* output) noexcept;
TAVIK_ALG_API std::int32_t AES_Decrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                                       std::uint8_t* output) noexcept;

// CBC over length / 16 whole blocks; the tail is neither read nor written and
// `iv` (16 bytes) is never updated. AES_EncryptCBC also writes P xor V back into
// each block of `input`. `output` may equal `input` but must not overlap `iv`.
TAVIK_ALG_API std::int32_t AES_EncryptCBC(std::uint8_t* input, const std::uint8_t* roundKeys,
                                          std::uint8_t* output, std::uint16_t length,
                                          const std::uint8_t* iv) noexcept;
TAVIK_ALG_API std::int32_t AES_DecryptCBC(const std::uint8_t* input, const std::uint8_t* roundKeys,
                                          std::uint8_t* output, std::uint16_t length,
                                          const std::uint8_t* iv) noexcept;

// AES-128 CMAC under the raw 16-byte key, chained from `iv` (16 bytes); the
// full 16-byte block is the MAC. `length` 0 to 32767; `mac` may alias `data`.
TAVIK_ALG_API std::int32_t AES_CMAC(const std::uint8_t* key, const std::uint8_t* data,
                                    std::int16_t length, std::uint8_t* mac,
                                    const std::uint8_t* iv) noexcept;

} // extern "C"

#endif // TAVIK_ALG_H
