// CalcCRC: the checked checksum of the DataIn bytes, least significant byte
// first.
#include "checksums.h"
#include "field_reading.h"

namespace orvelin {

Outcome CalcCrc(const std::string& data_in, const CrcChoice& choice, const InputRules& rules) {
    if (!choice.crc16 && !choice.crc32) {
        return Shown{};
    }
    const ReadField data = Read(data_in, rules.data);
    if (auto refusal = RefuseUnreadable({data}, rules.odd_digits)) {
        return *refusal;
    }
    const Bytes bytes = BytesOf(data);
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
