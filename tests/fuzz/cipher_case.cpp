#include "cipher_case.h"

#include <algorithm>

namespace orvelin::fuzz {
namespace {

constexpr std::size_t kHeaderSize = 7;
constexpr std::size_t kLengthBytes = 4;
constexpr std::size_t kLengthOffset = 3;

// Reads the input front to back; past its end it yields zeros.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> input) : rest_(input) {}

    Bytes Take(std::size_t count) {
        Bytes out(count, 0);
        const std::size_t available = std::min(count, rest_.size());
        std::copy_n(rest_.begin(), available, out.begin());
        rest_ = rest_.subspan(available);
        return out;
    }
    Bytes Rest() { return Take(rest_.size()); }

  private:
    std::span<const std::uint8_t> rest_;
};

Bytes Prefix(const Bytes& data, std::size_t count) {
    return {data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count)};
}

} // namespace

std::size_t KeySize(Export function) {
    switch (function) {
    case Export::lib_ver:
        return 0;
    case Export::EnOrDecrypt_DES:
    case Export::EnOrDecrypt_DES_CBC:
        return TAVIK_DES_KEY_SIZE;
    case Export::EnOrDecrypt_3DES:
    case Export::EnOrDecrypt_3DES_CBC:
    case Export::TDES_CMAC:
        return TAVIK_2TDES_KEY_SIZE;
    case Export::EnOrDecrypt_3DES_3KEY:
    case Export::EnOrDecrypt_3DES_3KEY_CBC:
    case Export::TDES_3KEY_CMAC:
        return TAVIK_3TDES_KEY_SIZE;
    case Export::AES_ExpandKey:
    case Export::AES_Encrypt:
    case Export::AES_Decrypt:
    case Export::AES_EncryptCBC:
    case Export::AES_DecryptCBC:
    case Export::AES_CMAC:
    case Export::count:
        return TAVIK_AES_KEY_SIZE;
    }
    return 0;
}

std::size_t IvSize(Export function) {
    switch (function) {
    case Export::EnOrDecrypt_DES_CBC:
    case Export::EnOrDecrypt_3DES_CBC:
    case Export::EnOrDecrypt_3DES_3KEY_CBC:
    case Export::TDES_CMAC:
    case Export::TDES_3KEY_CMAC:
        return TAVIK_DES_BLOCK_SIZE;
    case Export::AES_EncryptCBC:
    case Export::AES_DecryptCBC:
    case Export::AES_CMAC:
        return TAVIK_AES_BLOCK_SIZE;
    default:
        return 0;
    }
}

CipherCase Decode(std::span<const std::uint8_t> input) {
    Reader reader(input);
    const Bytes header = reader.Take(kHeaderSize);
    CipherCase c;
    c.function = static_cast<Export>(header[0] % static_cast<std::uint8_t>(Export::count));
    c.mode = header[1];
    c.variation = header[2];
    for (std::size_t i = kLengthBytes; i-- > 0;) {
        c.length = c.length << 8 | header[kLengthOffset + i];
    }
    c.key = reader.Take(KeySize(c.function));
    c.iv = reader.Take(IvSize(c.function));
    c.data = reader.Rest();
    return c;
}

Bytes LeadingBytes(const Bytes& data, std::size_t count) {
    Bytes out(count, 0);
    std::copy_n(data.begin(), std::min(count, data.size()), out.begin());
    return out;
}

Bytes AsThreeKeys(const Bytes& two_keys) {
    Bytes three(TAVIK_3TDES_KEY_SIZE);
    const auto after_two = std::copy(two_keys.begin(), two_keys.end(), three.begin());
    std::copy_n(two_keys.begin(), TAVIK_DES_KEY_SIZE, after_two);
    return three;
}

Message<std::uint32_t> DesFamilyMessage(const CipherCase& c) {
    if (c.length % TAVIK_DES_BLOCK_SIZE != 0) {
        return {c.length, c.data, false};
    }
    const std::size_t whole = c.data.size() - c.data.size() % TAVIK_DES_BLOCK_SIZE;
    const std::size_t length = std::min<std::size_t>(c.length, whole);
    return {static_cast<std::uint32_t>(length), Prefix(c.data, length), true};
}

Message<std::int16_t> CmacMessage(const CipherCase& c, std::int16_t max_length) {
    const auto word = static_cast<std::int16_t>(static_cast<std::uint16_t>(c.length));
    if (word < 0 || word > max_length) {
        return {word, c.data, false};
    }
    const std::size_t length = std::min(static_cast<std::size_t>(word), c.data.size());
    return {static_cast<std::int16_t>(length), Prefix(c.data, length), true};
}

Message<std::uint16_t> AesCbcMessage(const CipherCase& c) {
    const auto word = static_cast<std::uint16_t>(c.length);
    const std::size_t length = std::min(static_cast<std::size_t>(word), c.data.size());
    return {static_cast<std::uint16_t>(length), Prefix(c.data, length), true};
}

Bytes Encode(const CipherCase& c) {
    Bytes out = {static_cast<std::uint8_t>(c.function), c.mode, c.variation};
    for (std::size_t i = 0; i < kLengthBytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(c.length >> (8 * i)));
    }
    out.insert(out.end(), c.key.begin(), c.key.end());
    out.insert(out.end(), c.iv.begin(), c.iv.end());
    out.insert(out.end(), c.data.begin(), c.data.end());
    return out;
}

} // namespace orvelin::fuzz
