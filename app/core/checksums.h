// The 16-bit CRCs of ISO/IEC 14443-3 frames, Type A (CRC_A) and Type B
// (CRC_B), and a 32-bit CRC (the common CRC-32 register without its final
// complement). Every register holds the bit-reflected form.
#ifndef ORVELIN_CHECKSUMS_H
#define ORVELIN_CHECKSUMS_H

#include <cstdint>
#include <span>
#include <vector>

namespace orvelin {

// CRC_A starts from 0x6363 (0xC6C6 unreflected).
inline constexpr std::uint16_t kCrc16Start = 0x6363;

std::uint16_t Crc16Step(std::uint16_t crc, std::uint8_t value);

// Updates `crc` over every byte of `data`, however many there are.
void Crc16(std::span<const std::uint8_t> data, std::uint16_t& crc);

// CRC_B: CRC_A's register started from 0xFFFF and complemented at the end.
inline constexpr std::uint16_t kCrcBStart = 0xFFFF;
std::uint16_t CrcB(std::span<const std::uint8_t> data);

// From 0xFFFFFFFF, polynomial 0xEDB88320 reflected, no final complement.
std::uint32_t Crc32(std::span<const std::uint8_t> data);

// Each checksum over every byte of `data`, as it is shown: least significant
// byte first.
std::vector<std::uint8_t> Crc16Shown(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> CrcBShown(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> Crc32Shown(std::span<const std::uint8_t> data);

} // namespace orvelin

#endif
