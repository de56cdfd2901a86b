/* The library from C99: the header compiles as strict C, and each of the
 * fifteen exports gives a published answer through it. Exits non-zero, naming
 * each call that went wrong, on any mismatch. */
#include "tavik_alg.h"

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* 1 and a message when the bytes differ, else 0. */
static int bytes_differ(const char* what, const uint8_t* got, const uint8_t* want, size_t size) {
    if (memcmp(got, want, size) == 0) {
        return 0;
    }
    fprintf(stderr, "mismatch: %s\n", what);
    return 1;
}

static int result_differs(const char* what, int32_t got, int32_t want) {
    if (got == want) {
        return 0;
    }
    fprintf(stderr, "mismatch: %s returned %ld, expected %ld\n", what, (long)got, (long)want);
    return 1;
}

static int version(void) {
    uint32_t number = 0;
    int failures = result_differs("lib_ver", lib_ver(&number), TAVIK_DONE);
    failures += result_differs("lib_ver(NULL)", lib_ver(NULL), TAVIK_NULL_VERSION);
    if (number != TAVIK_ALG_VERSION) {
        fprintf(stderr, "mismatch: lib_ver reported 0x%lx\n", (unsigned long)number);
        ++failures;
    }
    return failures;
}

/* "Now is t" under 0123456789ABCDEF, the classic single-DES example. */
static const uint8_t kDesKey[TAVIK_DES_KEY_SIZE] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
static const uint8_t kDesPlain[TAVIK_DES_BLOCK_SIZE] = {'N', 'o', 'w', ' ', 'i', 's', ' ', 't'};
static const uint8_t kDesCipher[TAVIK_DES_BLOCK_SIZE] = {0x3f, 0xa4, 0x0e, 0x8a,
                                                         0x98, 0x4d, 0x48, 0x15};

static int des(void) {
    uint8_t block[TAVIK_DES_BLOCK_SIZE];
    int failures = 0;
    memcpy(block, kDesPlain, sizeof block);
    failures += result_differs("EnOrDecrypt_DES",
                               EnOrDecrypt_DES(TAVIK_MODE_ENCRYPT, kDesKey, block), TAVIK_DONE);
    failures += bytes_differ("EnOrDecrypt_DES encrypt", block, kDesCipher, sizeof block);
    EnOrDecrypt_DES(TAVIK_MODE_DECRYPT, kDesKey, block);
    return failures + bytes_differ("EnOrDecrypt_DES decrypt", block, kDesPlain, sizeof block);
}

/* With every key part the same, both triple-DES forms are single DES. */
static int triple_des(void) {
    uint8_t two[TAVIK_2TDES_KEY_SIZE];
    uint8_t three[TAVIK_3TDES_KEY_SIZE];
    uint8_t block[TAVIK_DES_BLOCK_SIZE];
    int failures = 0;
    memcpy(two, kDesKey, TAVIK_DES_KEY_SIZE);
    memcpy(two + TAVIK_DES_KEY_SIZE, kDesKey, TAVIK_DES_KEY_SIZE);
    memcpy(three, two, sizeof two);
    memcpy(three + sizeof two, kDesKey, TAVIK_DES_KEY_SIZE);

    memcpy(block, kDesPlain, sizeof block);
    EnOrDecrypt_3DES(TAVIK_MODE_ENCRYPT, two, sizeof block, block);
    failures += bytes_differ("EnOrDecrypt_3DES", block, kDesCipher, sizeof block);
    failures += result_differs("EnOrDecrypt_3DES length 7",
                               EnOrDecrypt_3DES(TAVIK_MODE_ENCRYPT, two, 7, block),
                               TAVIK_LENGTH_NOT_MULTIPLE_OF_8);
    EnOrDecrypt_3DES_3KEY(TAVIK_MODE_DECRYPT, three, sizeof block, block);
    return failures + bytes_differ("EnOrDecrypt_3DES_3KEY", block, kDesPlain, sizeof block);
}

/* "Now is the time for all " in CBC under the same key; `iv` ends on the last
 * ciphertext block. */
static int des_family_cbc(void) {
    static const uint8_t iv_start[TAVIK_DES_BLOCK_SIZE] = {0x12, 0x34, 0x56, 0x78,
                                                           0x90, 0xab, 0xcd, 0xef};
    static const uint8_t plain[] = "Now is the time for all ";
    static const uint8_t cipher[3 * TAVIK_DES_BLOCK_SIZE] = {
        0xe5, 0xc7, 0xcd, 0xde, 0x87, 0x2b, 0xf2, 0x7c, 0x43, 0xe9, 0x34, 0x00,
        0x8c, 0x38, 0x9c, 0x0f, 0x68, 0x37, 0x88, 0x49, 0x9a, 0x7c, 0x05, 0xf6};
    uint8_t key[TAVIK_3TDES_KEY_SIZE];
    uint8_t iv[TAVIK_DES_BLOCK_SIZE];
    uint8_t data[sizeof cipher];
    int failures = 0;
    memcpy(key, kDesKey, TAVIK_DES_KEY_SIZE);
    memcpy(key + TAVIK_DES_KEY_SIZE, kDesKey, TAVIK_DES_KEY_SIZE);
    memcpy(key + 2 * TAVIK_DES_KEY_SIZE, kDesKey, TAVIK_DES_KEY_SIZE);

    memcpy(iv, iv_start, sizeof iv);
    memcpy(data, plain, sizeof data);
    EnOrDecrypt_DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key, iv, sizeof data, data);
    failures += bytes_differ("EnOrDecrypt_DES_CBC", data, cipher, sizeof data);
    failures += bytes_differ("EnOrDecrypt_DES_CBC iv", iv,
                             cipher + sizeof cipher - TAVIK_DES_BLOCK_SIZE, sizeof iv);

    memcpy(iv, iv_start, sizeof iv);
    EnOrDecrypt_3DES_CBC(TAVIK_MODE_CBC_DECRYPT, key, iv, sizeof data, data);
    failures += bytes_differ("EnOrDecrypt_3DES_CBC", data, plain, sizeof data);

    memcpy(iv, iv_start, sizeof iv);
    EnOrDecrypt_3DES_3KEY_CBC(TAVIK_MODE_CBC_ENCRYPT, key, iv, sizeof data, data);
    return failures + bytes_differ("EnOrDecrypt_3DES_3KEY_CBC", data, cipher, sizeof data);
}

/* SP 800-38B D.5 (two keys, empty message) and D.4 (three keys, one block). */
static int triple_des_cmac(void) {
    static const uint8_t two[TAVIK_2TDES_KEY_SIZE] = {0x4c, 0xf1, 0x51, 0x34, 0xa2, 0x85,
                                                      0x0d, 0xd5, 0x8a, 0x3d, 0x10, 0xba,
                                                      0x80, 0x57, 0x0d, 0x38};
    static const uint8_t three[TAVIK_3TDES_KEY_SIZE] = {
        0x8a, 0xa8, 0x3b, 0xf8, 0xcb, 0xda, 0x10, 0x62, 0x0b, 0xc1, 0xbf, 0x19,
        0xfb, 0xb6, 0xcd, 0x58, 0xbc, 0x31, 0x3d, 0x4a, 0x37, 0x1c, 0xa8, 0xb5};
    static const uint8_t message[TAVIK_DES_BLOCK_SIZE] = {0x6b, 0xc1, 0xbe, 0xe2,
                                                          0x2e, 0x40, 0x9f, 0x96};
    static const uint8_t empty_mac[TAVIK_DES_BLOCK_SIZE] = {0xbd, 0x2e, 0xbf, 0x9a,
                                                            0x3b, 0xa0, 0x03, 0x61};
    static const uint8_t block_mac[TAVIK_DES_BLOCK_SIZE] = {0x8e, 0x8f, 0x29, 0x31,
                                                            0x36, 0x28, 0x37, 0x97};
    static const uint8_t zero_iv[TAVIK_DES_BLOCK_SIZE] = {0};
    uint8_t mac[TAVIK_DES_BLOCK_SIZE];
    int failures = 0;
    TDES_CMAC(two, NULL, 0, mac, zero_iv);
    failures += bytes_differ("TDES_CMAC", mac, empty_mac, sizeof mac);
    TDES_3KEY_CMAC(three, message, sizeof message, mac, zero_iv);
    failures += bytes_differ("TDES_3KEY_CMAC", mac, block_mac, sizeof mac);
    return failures + result_differs("TDES_3KEY_CMAC beyond its limit",
                                     TDES_3KEY_CMAC(three, message, TAVIK_TDES_CMAC_MAX_LENGTH + 1,
                                                    mac, zero_iv),
                                     TAVIK_CMAC_LENGTH_OUT_OF_RANGE);
}

/* FIPS 197 C.1: the last round key, the cipher and the inverse cipher. */
static int aes_block(void) {
    static const uint8_t key[TAVIK_AES_KEY_SIZE] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                                    0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f};
    static const uint8_t plain[TAVIK_AES_BLOCK_SIZE] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55,
                                                        0x66, 0x77, 0x88, 0x99, 0xaa, 0xbb,
                                                        0xcc, 0xdd, 0xee, 0xff};
    static const uint8_t cipher[TAVIK_AES_BLOCK_SIZE] = {0x69, 0xc4, 0xe0, 0xd8, 0x6a, 0x7b,
                                                         0x04, 0x30, 0xd8, 0xcd, 0xb7, 0x80,
                                                         0x70, 0xb4, 0xc5, 0x5a};
    static const uint8_t last_round_key[TAVIK_AES_BLOCK_SIZE] = {0x13, 0x11, 0x1d, 0x7f, 0xe3, 0x94,
                                                                 0x4a, 0x17, 0xf3, 0x07, 0xa7, 0x8b,
                                                                 0x4d, 0x2b, 0x30, 0xc5};
    uint8_t schedule[TAVIK_AES_SCHEDULE_SIZE];
    uint8_t block[TAVIK_AES_BLOCK_SIZE];
    int failures = 0;
    AES_ExpandKey(key, schedule);
    failures +=
        bytes_differ("AES_ExpandKey", schedule + TAVIK_AES_SCHEDULE_SIZE - TAVIK_AES_BLOCK_SIZE,
                     last_round_key, TAVIK_AES_BLOCK_SIZE);
    AES_Encrypt(plain, schedule, block);
    failures += bytes_differ("AES_Encrypt", block, cipher, sizeof block);
    AES_Decrypt(block, schedule, block);
    return failures + bytes_differ("AES_Decrypt", block, plain, sizeof block);
}

/* The key of SP 800-38A F.2 and RFC 4493, and the first block of their
 * message. */
static const uint8_t kAesKey[TAVIK_AES_KEY_SIZE] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                                                    0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
static const uint8_t kAesMessage[TAVIK_AES_BLOCK_SIZE] = {
    0x6b, 0xc1, 0xbe, 0xe2, 0x2e, 0x40, 0x9f, 0x96, 0xe9, 0x3d, 0x7e, 0x11, 0x73, 0x93, 0x17, 0x2a};

/* SP 800-38A F.2.1 and F.2.2, first block. */
static int aes_cbc(void) {
    static const uint8_t iv[TAVIK_AES_BLOCK_SIZE] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
                                                     0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b,
                                                     0x0c, 0x0d, 0x0e, 0x0f};
    static const uint8_t cipher[TAVIK_AES_BLOCK_SIZE] = {0x76, 0x49, 0xab, 0xac, 0x81, 0x19,
                                                         0xb2, 0x46, 0xce, 0xe9, 0x8e, 0x9b,
                                                         0x12, 0xe9, 0x19, 0x7d};
    uint8_t schedule[TAVIK_AES_SCHEDULE_SIZE];
    uint8_t input[TAVIK_AES_BLOCK_SIZE];
    uint8_t output[TAVIK_AES_BLOCK_SIZE];
    int failures = 0;
    AES_ExpandKey(kAesKey, schedule);
    memcpy(input, kAesMessage, sizeof input);
    AES_EncryptCBC(input, schedule, output, sizeof input, iv);
    failures += bytes_differ("AES_EncryptCBC", output, cipher, sizeof output);
    AES_DecryptCBC(output, schedule, output, sizeof output, iv);
    return failures + bytes_differ("AES_DecryptCBC", output, kAesMessage, sizeof output);
}

/* RFC 4493 section 4, examples 1 and 2. */
static int aes_cmac(void) {
    static const uint8_t empty_mac[TAVIK_AES_BLOCK_SIZE] = {0xbb, 0x1d, 0x69, 0x29, 0xe9, 0x59,
                                                            0x37, 0x28, 0x7f, 0xa3, 0x7d, 0x12,
                                                            0x9b, 0x75, 0x67, 0x46};
    static const uint8_t block_mac[TAVIK_AES_BLOCK_SIZE] = {0x07, 0x0a, 0x16, 0xb4, 0x6b, 0x4d,
                                                            0x41, 0x44, 0xf7, 0x9b, 0xdd, 0x9d,
                                                            0xd0, 0x4a, 0x28, 0x7c};
    static const uint8_t zero_iv[TAVIK_AES_BLOCK_SIZE] = {0};
    uint8_t mac[TAVIK_AES_BLOCK_SIZE];
    int failures = 0;
    AES_CMAC(kAesKey, NULL, 0, mac, zero_iv);
    failures += bytes_differ("AES_CMAC empty", mac, empty_mac, sizeof mac);
    AES_CMAC(kAesKey, kAesMessage, sizeof kAesMessage, mac, zero_iv);
    return failures + bytes_differ("AES_CMAC one block", mac, block_mac, sizeof mac);
}

int main(void) {
    const int failures = version() + des() + triple_des() + des_family_cbc() + triple_des_cmac() +
                         aes_block() + aes_cbc() + aes_cmac();
    if (failures != 0) {
        fprintf(stderr, "%d mismatches\n", failures);
        return EXIT_FAILURE;
    }
    puts("all fifteen exports answered as published");
    return EXIT_SUCCESS;
}
