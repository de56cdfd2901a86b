// Encrypt and Decrypt: AES-128 when AES_ENABLE is checked, else the DES-family
// member of the checked radio button; CBC over the IV field when CBC is checked.
#include "field_reading.h"

#include <array>

namespace orvelin {
namespace {

enum class Direction { encrypt, decrypt };

constexpr std::uint8_t BlockMode(Direction d) {
    return d == Direction::encrypt ? TAVIK_MODE_ENCRYPT : TAVIK_MODE_DECRYPT;
}
constexpr std::uint8_t CbcMode(Direction d) {
    return d == Direction::encrypt ? TAVIK_MODE_CBC_ENCRYPT : TAVIK_MODE_CBC_DECRYPT;
}

using TripleDesEcbEntry = const BoundFunction<decltype(::EnOrDecrypt_3DES)> TavikAlgBinding::*;
using DesCbcEntry = const BoundFunction<decltype(::EnOrDecrypt_DES_CBC)> TavikAlgBinding::*;

// What each radio button reads and calls. Single DES has no ECB entry over
// many blocks: it makes one block call per 8 bytes.
struct DesFamilyMember {
    const Algorithm* algorithm;
    TripleDesEcbEntry ecb;
    DesCbcEntry cbc;
};

constexpr std::array<DesFamilyMember, 3> kDesFamily = {{
    {&kDes, nullptr, &TavikAlgBinding::EnOrDecrypt_DES_CBC},
    {&kTwoKeyTdes, &TavikAlgBinding::EnOrDecrypt_3DES, &TavikAlgBinding::EnOrDecrypt_3DES_CBC},
    {&kThreeKeyTdes, &TavikAlgBinding::EnOrDecrypt_3DES_3KEY,
     &TavikAlgBinding::EnOrDecrypt_3DES_3KEY_CBC},
}};

const DesFamilyMember& MemberOf(DesVariant variant) {
    return kDesFamily.at(static_cast<std::size_t>(variant));
}

void RunAes(const TavikAlgBinding& library, Direction direction, bool cbc, CheckedFields& fields) {
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> round_keys{};
    library.AES_ExpandKey(fields.key.data(), round_keys.data());
    const auto data = fields.Data();
    const auto length = static_cast<std::uint16_t>(data.size());
    // AES_EncryptCBC writes into its input, so the two CBC entries differ in type.
    if (cbc && direction == Direction::encrypt) {
        library.AES_EncryptCBC(data.data(), round_keys.data(), data.data(), length,
                               fields.iv.data());
        return;
    }
    if (cbc) {
        library.AES_DecryptCBC(data.data(), round_keys.data(), data.data(), length,
                               fields.iv.data());
        return;
    }
    const auto& block_call =
        direction == Direction::encrypt ? library.AES_Encrypt : library.AES_Decrypt;
    for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_AES_BLOCK_SIZE) {
        std::uint8_t* const block = data.subspan(offset, TAVIK_AES_BLOCK_SIZE).data();
        block_call(block, round_keys.data(), block);
    }
}

void RunDesFamily(const TavikAlgBinding& library, Direction direction,
                  const DesFamilyMember& member, bool cbc, CheckedFields& fields) {
    const auto data = fields.Data();
    const auto length = static_cast<std::uint32_t>(data.size());
    if (cbc) {
        (library.*member.cbc)(CbcMode(direction), fields.key.data(), fields.iv.data(), length,
                              data.data());
    } else if (member.ecb != nullptr) {
        (library.*member.ecb)(BlockMode(direction), fields.key.data(), length, data.data());
    } else {
        for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_DES_BLOCK_SIZE) {
            library.EnOrDecrypt_DES(BlockMode(direction), fields.key.data(),
                                    data.subspan(offset, TAVIK_DES_BLOCK_SIZE).data());
        }
    }
}

Outcome RunCipher(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                  const CipherChoice& choice) {
    const DesFamilyMember& member = MemberOf(choice.des_variant);
    const Algorithm* const algorithm = choice.aes_enabled ? &kAes : member.algorithm;
    auto read = ReadChecked(fields, {algorithm, choice.cbc, true});
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    auto& checked = std::get<CheckedFields>(read);
    if (choice.aes_enabled) {
        RunAes(library, direction, choice.cbc, checked);
    } else {
        RunDesFamily(library, direction, member, choice.cbc, checked);
    }
    return Shown{FirstBytes(checked.data, checked.data_length), std::nullopt};
}

} // namespace

CipherChoice CipherChoiceOf(bool aes_enabled, bool two_key_checked, bool three_key_checked,
                            bool cbc) {
    const auto variant = two_key_checked     ? DesVariant::two_key
                         : three_key_checked ? DesVariant::three_key
                                             : DesVariant::single_des;
    return {aes_enabled, variant, cbc};
}

Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return RunCipher(library, Direction::encrypt, fields, choice);
}

Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return RunCipher(library, Direction::decrypt, fields, choice);
}

} // namespace orvelin
