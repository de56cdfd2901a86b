// Encrypt and Decrypt: AES-128 when AES_ENABLE is checked, else the DES-family
// member of the checked radio button; CBC over the IV field when CBC is checked.
#include "field_reading.h"

namespace orvelin {
namespace {

enum class Direction { encrypt, decrypt };

constexpr std::size_t kAesKeySize = 16;
constexpr std::size_t kAesBlockSize = 16;
constexpr std::size_t kAesScheduleSize = 176;
constexpr std::size_t kDesKeySize = 8;
constexpr std::size_t kDesBlockSize = 8;

// The `mode` byte: block functions 0 or 1, CBC functions 0 or 3.
constexpr std::uint8_t BlockMode(Direction d) {
    return d == Direction::encrypt ? 0 : 1;
}
constexpr std::uint8_t CbcMode(Direction d) {
    return d == Direction::encrypt ? 0 : 3;
}

void RunAesEcb(const TavikAlgBinding& library, Direction direction,
               std::span<const std::uint8_t, kAesScheduleSize> round_keys,
               std::span<std::uint8_t> data) {
    for (std::size_t offset = 0; offset < data.size(); offset += kAesBlockSize) {
        std::uint8_t* const block = data.subspan(offset, kAesBlockSize).data();
        if (direction == Direction::encrypt) {
            library.AES_Encrypt(block, round_keys.data(), block);
        } else {
            library.AES_Decrypt(block, round_keys.data(), block);
        }
    }
}

Outcome RunAes(const TavikAlgBinding& library, Direction direction, const Fields& fields, bool cbc,
               const FieldBuffer& key, const ReadField& k) {
    if (k.count() != kAesKeySize) {
        return Refuse(messages::kKeyLength16);
    }
    FieldBuffer data{};
    const ReadField n = Read(labels::kDataIn, fields.data_in, data);
    FieldBuffer iv{};
    ReadField v{labels::kIv, {}};
    if (cbc) {
        v = Read(labels::kIv, fields.iv, iv);
        if (v.count() != kAesBlockSize) {
            return Refuse(messages::kIvLength16);
        }
    }
    if (auto refusal = RefuseUnreadable({k, n, v})) {
        return Refuse(*refusal);
    }
    if (n.count() % kAesBlockSize != 0) {
        return Refuse(messages::kDataMultipleOf16);
    }
    std::array<std::uint8_t, kAesScheduleSize> round_keys{};
    library.AES_ExpandKey(key.data(), round_keys.data());
    const auto length = static_cast<std::uint16_t>(n.count());
    if (!cbc) {
        RunAesEcb(library, direction, round_keys, std::span(data).first(n.count()));
    } else if (direction == Direction::encrypt) {
        library.AES_EncryptCBC(data.data(), round_keys.data(), data.data(), length, iv.data());
    } else {
        library.AES_DecryptCBC(data.data(), round_keys.data(), data.data(), length, iv.data());
    }
    return {{}, FirstBytes(data, n.count()), {}};
}

// The key length each radio button asks for, and its message (none for DES).
struct KeyRule {
    std::size_t length;
    const char* message;
};

std::optional<KeyRule> KeyRuleOf(DesVariant variant) {
    switch (variant) {
    case DesVariant::two_key:
        return KeyRule{16, messages::kKeyLength16};
    case DesVariant::three_key:
        return KeyRule{24, messages::kKeyLength24};
    case DesVariant::single_des:
        break;
    }
    return std::nullopt;
}

void CallDesFamily(const TavikAlgBinding& library, Direction direction, DesVariant variant,
                   bool cbc, const FieldBuffer& key, FieldBuffer& iv,
                   std::span<std::uint8_t> data) {
    const auto length = static_cast<std::uint32_t>(data.size());
    if (cbc) {
        const auto& chain = variant == DesVariant::single_des ? library.EnOrDecrypt_DES_CBC
                            : variant == DesVariant::two_key  ? library.EnOrDecrypt_3DES_CBC
                                                              : library.EnOrDecrypt_3DES_3KEY_CBC;
        chain(CbcMode(direction), key.data(), iv.data(), length, data.data());
    } else if (variant == DesVariant::single_des) {
        for (std::size_t offset = 0; offset < data.size(); offset += kDesBlockSize) {
            library.EnOrDecrypt_DES(BlockMode(direction), key.data(),
                                    data.subspan(offset, kDesBlockSize).data());
        }
    } else {
        const auto& ecb = variant == DesVariant::two_key ? library.EnOrDecrypt_3DES
                                                         : library.EnOrDecrypt_3DES_3KEY;
        ecb(BlockMode(direction), key.data(), length, data.data());
    }
}

Outcome RunDesFamily(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                     const CipherChoice& choice, const FieldBuffer& key, const ReadField& k) {
    const auto key_rule = KeyRuleOf(choice.des_variant);
    if (key_rule && k.count() != key_rule->length) {
        return Refuse(key_rule->message);
    }
    FieldBuffer data{};
    const ReadField n = Read(labels::kDataIn, fields.data_in, data);
    FieldBuffer iv{};
    ReadField v{labels::kIv, {}};
    if (choice.cbc) {
        v = Read(labels::kIv, fields.iv, iv);
        if (v.count() != kDesBlockSize) {
            return Refuse(messages::kIvLength8);
        }
    }
    if (auto refusal = RefuseUnreadable({k, n, v})) {
        return Refuse(*refusal);
    }
    if (choice.des_variant == DesVariant::single_des && k.count() < kDesKeySize) {
        return Refuse(messages::kDesKeyAtLeast8);
    }
    if (n.count() % kDesBlockSize != 0) {
        return Refuse(messages::kDataMultipleOf8);
    }
    CallDesFamily(library, direction, choice.des_variant, choice.cbc, key, iv,
                  std::span(data).first(n.count()));
    return {{}, FirstBytes(data, n.count()), {}};
}

Outcome RunCipher(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                  const CipherChoice& choice) {
    FieldBuffer key{};
    const ReadField k = Read(labels::kSessionKey, fields.session_key, key);
    return choice.aes_enabled ? RunAes(library, direction, fields, choice.cbc, key, k)
                              : RunDesFamily(library, direction, fields, choice, key, k);
}

} // namespace

Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return RunCipher(library, Direction::encrypt, fields, choice);
}

Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return RunCipher(library, Direction::decrypt, fields, choice);
}

} // namespace orvelin
