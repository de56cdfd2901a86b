// CRC_A as ISO/IEC 14443-3 Annex B computes it, byte by byte: an oracle
// written apart from the program's bitwise register.
#ifndef ORVELIN_TESTS_ANNEX_CRC_A_H
#define ORVELIN_TESTS_ANNEX_CRC_A_H

#include "hex.h"

inline std::uint16_t AnnexCrcA(const testing_support::Bytes& data) {
    std::uint16_t crc = 0x6363;
    for (std::uint8_t ch : data) {
        ch = static_cast<std::uint8_t>(ch ^ (crc & 0x00FF));
        ch = static_cast<std::uint8_t>(ch ^ (ch << 4));
        crc = static_cast<std::uint16_t>((crc >> 8) ^ (ch << 8) ^ (ch << 3) ^ (ch >> 4));
    }
    return crc;
}

#endif
