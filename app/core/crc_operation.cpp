// CalcCRC: the checked checksum of the DataIn bytes, least significant byte
// first.
#include "checksums.h"
#include "field_reading.h"

namespace orvelin {
namespace {

template <typename Word>
Bytes LittleEndian(Word value) {
    Bytes out(sizeof(Word));
    for (auto& b : out) {
        b = static_cast<std::uint8_t>(value & 0xFFU);
        value = static_cast<Word>(value >> 8);
    }
    return out;
}

} // namespace

Outcome CalcCrc(const std::string& data_in, const CrcChoice& choice) {
    if (!choice.crc16 && !choice.crc32) {
        return Shown{};
    }
    FieldBuffer data{};
    const ReadField n = Read(messages::kDataInLabel, data_in, data);
    if (auto refusal = RefuseUnreadable({n})) {
        return *refusal;
    }
    const auto bytes = std::span<const std::uint8_t>(data).first(n.count());
    Shown shown;
    if (choice.crc16) {
        std::uint16_t crc = kCrc16Start;
        Crc16(bytes, crc);
        shown.data_out = LittleEndian(crc);
    }
    if (choice.crc32) {
        shown.data_out = LittleEndian(Crc32(bytes));
    }
    return shown;
}

} // namespace orvelin
