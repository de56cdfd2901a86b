#include "cavp_keys.h"

#include "hex_text.h"

#include <array>

namespace orvelin::cli {
namespace {

using KeyParts = std::array<Bytes, 3>;

KeyedCiphersOrProblem TripleDesCiphers(const KeyParts& parts, bool for_cmac) {
    for (const Bytes& part : parts) {
        if (part.size() != TAVIK_DES_KEY_SIZE) {
            return KeyProblem{false, "a triple-DES key part is not 8 bytes"};
        }
    }
    const auto joined = [&parts](std::size_t count) {
        Bytes key;
        for (std::size_t i = 0; i < count; ++i) {
            key.insert(key.end(), parts.at(i).begin(), parts.at(i).end());
        }
        return key;
    };
    std::vector<KeyedCipher> ciphers;
    if (!for_cmac && parts[0] == parts[1] && parts[1] == parts[2]) {
        ciphers.push_back({Cipher::des, joined(1)});
    }
    if (parts[2] == parts[0]) {
        ciphers.push_back({Cipher::two_key_tdes, joined(2)});
    }
    ciphers.push_back({Cipher::three_key_tdes, joined(3)});
    return ciphers;
}

} // namespace

std::optional<Bytes> HexField(const CavpRecord& record, std::string_view name) {
    const std::string* text = record.Find(name);
    if (text == nullptr) {
        return std::nullopt;
    }
    Bytes bytes(ReadHex(*text, {}).count);
    if (!ReadHex(*text, bytes).only_hex_digits) {
        return std::nullopt;
    }
    return bytes;
}

KeyedCiphersOrProblem KeyedCiphers(const CavpRecord& record, bool for_cmac) {
    if (const auto key = HexField(record, "key")) {
        if (key->size() != TAVIK_AES_KEY_SIZE) {
            return KeyProblem{true, "an AES key of " + std::to_string(key->size()) +
                                        " bytes: the library's AES takes 16"};
        }
        return std::vector<KeyedCipher>{{Cipher::aes, *key}};
    }
    if (const auto single = HexField(record, "keys")) {
        return TripleDesCiphers({*single, *single, *single}, for_cmac);
    }
    const auto k1 = HexField(record, "key1");
    const auto k2 = HexField(record, "key2");
    const auto k3 = HexField(record, "key3");
    if (!k1 || !k2 || !k3) {
        return KeyProblem{false, "no readable KEY, KEYs or KEY1..KEY3"};
    }
    return TripleDesCiphers({*k1, *k2, *k3}, for_cmac);
}

} // namespace orvelin::cli
