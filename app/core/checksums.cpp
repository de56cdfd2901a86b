#include "checksums.h"

namespace orvelin {
namespace {

// XOR then shift: the same register as shift then XOR 0x8408, the
// reflected form of the polynomial 0x1021.
constexpr std::uint32_t kCrc16Feedback = 0x10810;
constexpr std::uint32_t kCrc32Polynomial = 0xEDB88320;

template <typename Word>
std::vector<std::uint8_t> LittleEndian(Word value) {
    std::vector<std::uint8_t> out(sizeof(Word));
    for (auto& b : out) {
        b = static_cast<std::uint8_t>(value & 0xFFU);
        value = static_cast<Word>(value >> 8);
    }
    return out;
}

} // namespace

std::uint16_t Crc16Step(std::uint16_t crc, std::uint8_t value) {
    std::uint32_t r = crc ^ value;
    for (int bit = 0; bit < 8; ++bit) {
        if ((r & 1U) != 0) {
            r ^= kCrc16Feedback;
        }
        r >>= 1;
    }
    return static_cast<std::uint16_t>(r);
}

void Crc16(std::span<const std::uint8_t> data, std::uint16_t& crc) {
    for (const std::uint8_t b : data) {
        crc = Crc16Step(crc, b);
    }
}

std::uint16_t CrcB(std::span<const std::uint8_t> data) {
    std::uint16_t crc = kCrcBStart;
    Crc16(data, crc);
    return static_cast<std::uint16_t>(~crc);
}

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t b : data) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1U) != 0 ? (crc >> 1) ^ kCrc32Polynomial : crc >> 1;
        }
    }
    return crc;
}

std::vector<std::uint8_t> Crc16Shown(std::span<const std::uint8_t> data) {
    std::uint16_t crc = kCrc16Start;
    Crc16(data, crc);
    return LittleEndian(crc);
}

std::vector<std::uint8_t> CrcBShown(std::span<const std::uint8_t> data) {
    return LittleEndian(CrcB(data));
}

std::vector<std::uint8_t> Crc32Shown(std::span<const std::uint8_t> data) {
    return LittleEndian(Crc32(data));
}

} // namespace orvelin
