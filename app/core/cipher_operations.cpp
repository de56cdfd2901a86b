// Encrypt and Decrypt: AES-128 or a DES-family member, ECB or CBC over the
// IV; and the exports each choice goes through.
#include "field_reading.h"

#include <array>
#include <limits>
#include <stdexcept>

namespace orvelin {
namespace {

constexpr std::uint8_t BlockMode(Direction d) {
    return d == Direction::encrypt ? TAVIK_MODE_ENCRYPT : TAVIK_MODE_DECRYPT;
}
constexpr std::uint8_t CbcMode(Direction d) {
    return d == Direction::encrypt ? TAVIK_MODE_CBC_ENCRYPT : TAVIK_MODE_CBC_DECRYPT;
}

using TripleDesEcbEntry = const BoundFunction<decltype(::EnOrDecrypt_3DES)> TavikAlgBinding::*;
using DesCbcEntry = const BoundFunction<decltype(::EnOrDecrypt_DES_CBC)> TavikAlgBinding::*;

// What each DES-family member calls. Single DES has no ECB entry over many
// blocks: it makes one block call per 8 bytes.
struct DesFamilyMember {
    TripleDesEcbEntry ecb;
    DesCbcEntry cbc;
    Export ecb_export;
    Export cbc_export;
};

constexpr std::array<DesFamilyMember, 3> kDesFamily = {{
    {.ecb = nullptr,
     .cbc = &TavikAlgBinding::EnOrDecrypt_DES_CBC,
     .ecb_export = Export::EnOrDecrypt_DES,
     .cbc_export = Export::EnOrDecrypt_DES_CBC},
    {.ecb = &TavikAlgBinding::EnOrDecrypt_3DES,
     .cbc = &TavikAlgBinding::EnOrDecrypt_3DES_CBC,
     .ecb_export = Export::EnOrDecrypt_3DES,
     .cbc_export = Export::EnOrDecrypt_3DES_CBC},
    {.ecb = &TavikAlgBinding::EnOrDecrypt_3DES_3KEY,
     .cbc = &TavikAlgBinding::EnOrDecrypt_3DES_3KEY_CBC,
     .ecb_export = Export::EnOrDecrypt_3DES_3KEY,
     .cbc_export = Export::EnOrDecrypt_3DES_3KEY_CBC},
}};

const DesFamilyMember& MemberOf(Cipher cipher) {
    return kDesFamily.at(static_cast<std::size_t>(cipher));
}

// AES_EncryptCBC and AES_DecryptCBC take a 16-bit length: its whole blocks.
constexpr std::size_t kAesDataLimit =
    std::numeric_limits<std::uint16_t>::max() / TAVIK_AES_BLOCK_SIZE * TAVIK_AES_BLOCK_SIZE;

void RequireContract(const CipherChoice& choice, const CheckedFields& fields) {
    const Algorithm& algorithm = AlgorithmOf(choice.cipher);
    const bool key_fits =
        fields.key.size() >= std::max(algorithm.key_length, algorithm.key_minimum);
    const bool iv_fits = choice.chaining == Chaining::ecb || fields.iv.size() == algorithm.block;
    const bool data_fits = fields.data.size() % algorithm.block == 0 &&
                           fields.data.size() <= CipherDataLimit(choice.cipher);
    if (!key_fits || !iv_fits || !data_fits) {
        throw std::invalid_argument("RunCipher: key, IV or data outside the export's contract");
    }
}

void RunAes(const TavikAlgBinding& library, Direction direction, Chaining chaining,
            CheckedFields& fields) {
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> round_keys{};
    library.AES_ExpandKey(fields.key.data(), round_keys.data());
    const std::span data(fields.data);
    const auto length = static_cast<std::uint16_t>(data.size());
    // AES_EncryptCBC writes into its input, so the two CBC entries differ in type.
    if (chaining == Chaining::cbc && direction == Direction::encrypt) {
        library.AES_EncryptCBC(data.data(), round_keys.data(), data.data(), length,
                               fields.iv.data());
        return;
    }
    if (chaining == Chaining::cbc) {
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

void RunDesFamily(const TavikAlgBinding& library, Direction direction, const CipherChoice& choice,
                  CheckedFields& fields) {
    const DesFamilyMember& member = MemberOf(choice.cipher);
    const std::span data(fields.data);
    const auto length = static_cast<std::uint32_t>(data.size());
    if (choice.chaining == Chaining::cbc) {
        // The export leaves the last chaining value in the IV buffer.
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

} // namespace

Export CipherExport(const CipherChoice& choice, Direction direction) {
    const bool encrypt = direction == Direction::encrypt;
    const bool cbc = choice.chaining == Chaining::cbc;
    if (choice.cipher == Cipher::aes) {
        if (cbc) {
            return encrypt ? Export::AES_EncryptCBC : Export::AES_DecryptCBC;
        }
        return encrypt ? Export::AES_Encrypt : Export::AES_Decrypt;
    }
    const DesFamilyMember& member = MemberOf(choice.cipher);
    return cbc ? member.cbc_export : member.ecb_export;
}

std::size_t CipherDataLimit(Cipher cipher) {
    return cipher == Cipher::aes ? kAesDataLimit : kLongestMessage;
}

CipherChoice CipherChoiceOf(const CheckMarks& marks) {
    const Cipher des_family = marks.two_key     ? Cipher::two_key_tdes
                              : marks.three_key ? Cipher::three_key_tdes
                                                : Cipher::des;
    return {.cipher = marks.aes_enabled ? Cipher::aes : des_family,
            .chaining = marks.cbc ? Chaining::cbc : Chaining::ecb};
}

FieldChecks CipherChecks(const CipherChoice& choice) {
    return {.algorithm = &AlgorithmOf(choice.cipher),
            .iv = choice.chaining == Chaining::cbc ? IvReading::one_block : IvReading::none,
            .data = DataBlocks::whole};
}

void RunCipher(const TavikAlgBinding& library, const CipherChoice& choice, Direction direction,
               CheckedFields& fields) {
    RequireContract(choice, fields);
    if (fields.data.empty()) {
        return;
    }
    if (choice.cipher == Cipher::aes) {
        RunAes(library, direction, choice.chaining, fields);
    } else {
        RunDesFamily(library, direction, choice, fields);
    }
}

Outcome EncryptOrDecrypt(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                         const CipherChoice& choice, const InputRules& rules) {
    auto read = ReadChecked(fields, CipherChecks(choice), rules);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    auto& checked = std::get<CheckedFields>(read);
    RunCipher(library, choice, direction, checked);
    return Shown{std::move(checked.data), std::nullopt};
}

Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return EncryptOrDecrypt(library, Direction::encrypt, fields, choice);
}

Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return EncryptOrDecrypt(library, Direction::decrypt, fields, choice);
}

} // namespace orvelin
