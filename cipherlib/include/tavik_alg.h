/* TAVIK_ALG: DES, triple DES, AES-128, CBC and CMAC on caller-owned buffers.
 *
 * A C header, for C (C99 and later), C++ and other languages' foreign-function
 * tools alike. Every function has C linkage, keeps no state, allocates nothing
 * and returns a 32-bit signed result. Buffers belong to the caller; sizes are
 * in bytes. Any number of threads may call at once, provided that no two
 * calls share an output, in/out or `iv` buffer.
 *
 * Results: TAVIK_DONE; TAVIK_LENGTH_NOT_MULTIPLE_OF_8 for a DES-family length
 * that is not a multiple of 8 (no buffer read or written); TAVIK_NULL_VERSION
 * for a null `version`. The CMAC functions return TAVIK_DONE within their
 * contract; for a length outside it (negative, or over TAVIK_TDES_CMAC_MAX_LENGTH
 * for the triple-DES forms) they read and write nothing, leave `mac` as it was
 * and return TAVIK_CMAC_LENGTH_OUT_OF_RANGE.
 *
 * The `mode` byte: the block functions encrypt on 0 and decrypt on any other
 * value. The CBC functions read bit 0 as the block direction (0 encrypt,
 * 1 decrypt) and bit 1 as the chaining direction (0 encryption chaining,
 * 1 decryption chaining); bits 2 to 7 are ignored. So 0 is CBC encryption and
 * 3 is CBC decryption; 1 and 2 undo each other.
 */
#ifndef TAVIK_ALG_H
#define TAVIK_ALG_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(TAVIK_ALG_BUILDING)
#define TAVIK_ALG_API __declspec(dllexport)
#else
#define TAVIK_ALG_API __declspec(dllimport)
#endif
#else
#define TAVIK_ALG_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define TAVIK_ALG_NOEXCEPT noexcept
#else
#define TAVIK_ALG_NOEXCEPT
#endif

/* What lib_ver reports; independent of the file's own version record. */
#define TAVIK_ALG_VERSION 0x1020u

/* Results. */
#define TAVIK_DONE 0
#define TAVIK_NULL_VERSION (-1)
#define TAVIK_CMAC_LENGTH_OUT_OF_RANGE (-2)
#define TAVIK_LENGTH_NOT_MULTIPLE_OF_8 (-5)

/* The `mode` values: block functions, then CBC functions. */
#define TAVIK_MODE_ENCRYPT 0
#define TAVIK_MODE_DECRYPT 1
#define TAVIK_MODE_CBC_ENCRYPT 0
#define TAVIK_MODE_CBC_DECRYPT 3

/* Sizes in bytes. A DES-family IV and MAC are one DES block, an AES IV and
 * MAC one AES block. */
#define TAVIK_DES_KEY_SIZE 8
#define TAVIK_2TDES_KEY_SIZE 16
#define TAVIK_3TDES_KEY_SIZE 24
#define TAVIK_DES_BLOCK_SIZE 8
#define TAVIK_AES_KEY_SIZE 16
#define TAVIK_AES_BLOCK_SIZE 16
#define TAVIK_AES_SCHEDULE_SIZE 176

/* The largest `length` each CMAC takes. */
#define TAVIK_AES_CMAC_MAX_LENGTH 32767
#define TAVIK_TDES_CMAC_MAX_LENGTH 512

/* The fifteen exports, in the order a caller binds them at run time. This is
 * the one list of their names: X(name) for each. */
#define TAVIK_ALG_EXPORTS(X)                                                                       \
    X(lib_ver)                                                                                     \
    X(EnOrDecrypt_DES)                                                                             \
    X(EnOrDecrypt_3DES)                                                                            \
    X(EnOrDecrypt_3DES_3KEY)                                                                       \
    X(EnOrDecrypt_DES_CBC)                                                                         \
    X(EnOrDecrypt_3DES_CBC)                                                                        \
    X(EnOrDecrypt_3DES_3KEY_CBC)                                                                   \
    X(TDES_CMAC)                                                                                   \
    X(TDES_3KEY_CMAC)                                                                              \
    X(AES_ExpandKey)                                                                               \
    X(AES_Encrypt)                                                                                 \
    X(AES_Decrypt)                                                                                 \
    X(AES_EncryptCBC)                                                                              \
    X(AES_DecryptCBC)                                                                              \
    X(AES_CMAC)

#ifdef __cplusplus
extern "C" {
#endif

/* Writes TAVIK_ALG_VERSION to *version and returns 0; -1 if version is null. */
TAVIK_ALG_API int32_t lib_ver(uint32_t* version) TAVIK_ALG_NOEXCEPT;

/* One 8-byte block in place under an 8-byte key (parity bits ignored). */
TAVIK_ALG_API int32_t EnOrDecrypt_DES(uint8_t mode, const uint8_t* key,
                                      uint8_t* data) TAVIK_ALG_NOEXCEPT;

/* ECB over `length` bytes in place: two-key (16-byte key K1|K2, EDE as K1,K2,K1)
 * and three-key (24-byte key K1|K2|K3). -5 unless length is a multiple of 8. */
TAVIK_ALG_API int32_t EnOrDecrypt_3DES(uint8_t mode, const uint8_t* key, uint32_t length,
                                       uint8_t* data) TAVIK_ALG_NOEXCEPT;
TAVIK_ALG_API int32_t EnOrDecrypt_3DES_3KEY(uint8_t mode, const uint8_t* key, uint32_t length,
                                            uint8_t* data) TAVIK_ALG_NOEXCEPT;

/* CBC over `length` bytes in place. `iv` (8 bytes, must not overlap data)
 * carries the chaining value: on return it holds the last ciphertext block, so
 * a following call continues the chain. -5 unless length is a multiple of 8. */
TAVIK_ALG_API int32_t EnOrDecrypt_DES_CBC(uint8_t mode, const uint8_t* key, uint8_t* iv,
                                          uint32_t length, uint8_t* data) TAVIK_ALG_NOEXCEPT;
TAVIK_ALG_API int32_t EnOrDecrypt_3DES_CBC(uint8_t mode, const uint8_t* key, uint8_t* iv,
                                           uint32_t length, uint8_t* data) TAVIK_ALG_NOEXCEPT;
TAVIK_ALG_API int32_t EnOrDecrypt_3DES_3KEY_CBC(uint8_t mode, const uint8_t* key, uint8_t* iv,
                                                uint32_t length, uint8_t* data) TAVIK_ALG_NOEXCEPT;

/* Triple-DES CMAC chained from `iv` (8 bytes); the full 8-byte block is the
 * MAC. `length` 0 to 512. `mac` may point at the start of `data`: it is
 * written only after the whole message has been read. Keys as above. */
TAVIK_ALG_API int32_t TDES_CMAC(const uint8_t* key, const uint8_t* data, int16_t length,
                                uint8_t* mac, const uint8_t* iv) TAVIK_ALG_NOEXCEPT;
TAVIK_ALG_API int32_t TDES_3KEY_CMAC(const uint8_t* key, const uint8_t* data, int16_t length,
                                     uint8_t* mac, const uint8_t* iv) TAVIK_ALG_NOEXCEPT;

/* AES-128: expand a 16-byte key into the 176-byte schedule that the other AES
 * functions read; one schedule serves both directions and any number of calls. */
TAVIK_ALG_API int32_t AES_ExpandKey(const uint8_t* key, uint8_t* roundKeys) TAVIK_ALG_NOEXCEPT;
/* One 16-byte block; `output` may equal `input`. */
TAVIK_ALG_API int32_t AES_Encrypt(const uint8_t* input, const uint8_t* roundKeys,
                                  uint8_t* output) TAVIK_ALG_NOEXCEPT;
TAVIK_ALG_API int32_t AES_Decrypt(const uint8_t* input, const uint8_t* roundKeys,
                                  uint8_t* output) TAVIK_ALG_NOEXCEPT;

/* CBC over length / 16 whole blocks; the tail is neither read nor written and
 * `iv` (16 bytes) is never updated. AES_EncryptCBC also writes P xor V back into
 * each block of `input`. `output` may equal `input` but must not overlap `iv`. */
TAVIK_ALG_API int32_t AES_EncryptCBC(uint8_t* input, const uint8_t* roundKeys, uint8_t* output,
                                     uint16_t length, const uint8_t* iv) TAVIK_ALG_NOEXCEPT;
TAVIK_ALG_API int32_t AES_DecryptCBC(const uint8_t* input, const uint8_t* roundKeys,
                                     uint8_t* output, uint16_t length,
                                     const uint8_t* iv) TAVIK_ALG_NOEXCEPT;

/* AES-128 CMAC under the raw 16-byte key, chained from `iv` (16 bytes); the
 * full 16-byte block is the MAC. `length` 0 to 32767; `mac` may alias `data`. */
TAVIK_ALG_API int32_t AES_CMAC(const uint8_t* key, const uint8_t* data, int16_t length,
                               uint8_t* mac, const uint8_t* iv) TAVIK_ALG_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVIK_ALG_H */
