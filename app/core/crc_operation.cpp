// CalcCRC: the checked checksum of the DataIn bytes, least significant byte
// first.
#include "checksums.h"
#include "field_reading.h"

namespace orvelin {

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
        shown.data_out = Crc16Shown(bytes);
    }
    if (choice.crc32) {
        shown.data_out = Crc32Shown(bytes);
    }
    return shown;
}

} // namespace orvelin
