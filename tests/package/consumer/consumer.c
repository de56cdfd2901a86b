/* A C program outside the project that links TAVIK_ALG as installed: the
 * first block of the FIPS 81 CBC example, printed as hex. */
#include <stdint.h>
#include <stdio.h>
#include <tavik_alg.h>

int main(void) {
    const uint8_t key[TAVIK_DES_KEY_SIZE] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    uint8_t iv[TAVIK_DES_BLOCK_SIZE] = {0x12, 0x34, 0x56, 0x78, 0x90, 0xAB, 0xCD, 0xEF};
    uint8_t data[TAVIK_DES_BLOCK_SIZE] = {0x4E, 0x6F, 0x77, 0x20, 0x69, 0x73, 0x20, 0x74};
    uint32_t version = 0;
    size_t i;
    if (lib_ver(&version) != TAVIK_DONE || version != TAVIK_ALG_VERSION) {
        fprintf(stderr, "lib_ver reported %#x\n", (unsigned)version);
        return 1;
    }
    if (EnOrDecrypt_DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key, iv, sizeof data, data) != TAVIK_DONE) {
        fprintf(stderr, "EnOrDecrypt_DES_CBC refused\n");
        return 1;
    }
    for (i = 0; i < sizeof data; ++i) {
        printf("%02X", data[i]);
    }
    printf("\n");
    return 0;
}
