// Encrypt and Decrypt: AES-128 or a DES-family member, ECB or CBC over the
// IV; and the exports each choice goes through.
#include "export_result.h"
#include "field_reading.h"

#include <array>
#include <limits>

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

// The key as the cipher takes it, one block of IV for CBC, whole blocks
// within the export's limit.
std::optional<Refusal> RefuseOutsideContract(const CipherChoice& choice,
                                             const CheckedFields& fields) {
    const Algorithm& algorithm = AlgorithmOf(choice.cipher);
    const std::size_t key = std::max(algorithm.key_length, algorithm.key_minimum);
    const std::string block = std::to_string(algorithm.block);
    const std::size_t limit = CipherDataLimit(choice.cipher);
    const auto refused = [](const std::string& precondition) {
        return Refusal{messages::Requires("RunCipher", precondition)};
    };
    if (fields.key.size() < key) {
        return refused("a key of at least " + std::to_string(key) + " bytes");
    }
    if (choice.chaining == Chaining::cbc && fields.iv.size() != algorithm.block) {
        return refused("an IV of one " + block + "-byte block for CBC");
    }
    if (fields.data.size() % algorithm.block != 0) {
        return refused("data in whole " + block + "-byte blocks");
    }
    if (fields.data.size() > limit) {
        return refused("at most " + std::to_string(limit) + " bytes of data");
    }
    return std::nullopt;
}

std::optional<Refusal> RunAes(const TavikAlgBinding& library, Direction direction,
                              Chaining chaining, CheckedFields& fields) {
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> round_keys{};
    if (auto refusal = RefuseUnlessDone(
            Export::AES_ExpandKey, library.AES_ExpandKey(fields.key.data(), round_keys.data()))) {
        return refusal;
    }
    const std::span data(fields.data);
    const auto length = static_cast<std::uint16_t>(data.size());
    const Export by = CipherExport({.cipher = Cipher::aes, .chaining = chaining}, direction);
    // AES_EncryptCBC writes into its input, so the two CBC entries differ in type.
    if (by == Export::AES_EncryptCBC) {
        return RefuseUnlessDone(by, library.AES_EncryptCBC(data.data(), round_keys.data(),
                                                           data.data(), length, fields.iv.data()));
    }
    if (by == Export::AES_DecryptCBC) {
        return RefuseUnlessDone(by, library.AES_DecryptCBC(data.data(), round_keys.data(),
                                                           data.data(), length, fields.iv.data()));
    }
    const auto& block_call = by == Export::AES_Encrypt ? library.AES_Encrypt : library.AES_Decrypt;
    for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_AES_BLOCK_SIZE) {
        std::uint8_t* const block = data.subspan(offset, TAVIK_AES_BLOCK_SIZE).data();
        if (auto refusal = RefuseUnlessDone(by, block_call(block, round_keys.data(), block))) {
            return refusal;
        }
    }
    return std::nullopt;
}

std::optional<Refusal> RunDesFamily(const TavikAlgBinding& library, Direction direction,
                                    const CipherChoice& choice, CheckedFields& fields) {
    const DesFamilyMember& member = MemberOf(choice.cipher);
    const std::span data(fields.data);
    const auto length = static_cast<std::uint32_t>(data.size());
    if (choice.chaining == Chaining::cbc) {
        // The export leaves the last chaining value in the IV buffer.
        return RefuseUnlessDone(member.cbc_export,
                                (library.*member.cbc)(CbcMode(direction), fields.key.data(),
                                                      fields.iv.data(), length, data.data()));
    }
    if (member.ecb != nullptr) {
        return RefuseUnlessDone(
            member.ecb_export,
            (library.*member.ecb)(BlockMode(direction), fields.key.data(), length, data.data()));
    }
    for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_DES_BLOCK_SIZE) {
        if (auto refusal = RefuseUnlessDone(
                member.ecb_export,
                library.EnOrDecrypt_DES(BlockMode(direction), fields.key.data(),
                                        data.subspan(offset, TAVIK_DES_BLOCK_SIZE).data()))) {
            return refusal;
        }
    }
    return std::nullopt;
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

std::optional<Refusal> RunCipher(const TavikAlgBinding& library, const CipherChoice& choice,
                                 Direction direction, CheckedFields& fields) {
    if (auto refusal = RefuseOutsideContract(choice, fields)) {
        return refusal;
    }
    if (fields.data.empty()) {
        return std::nullopt;
    }
    if (choice.cipher == Cipher::aes) {
        return RunAes(library, direction, choice.chaining, fields);
    }
    return RunDesFamily(library, direction, choice, fields);
}

Outcome EncryptOrDecrypt(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                         const CipherChoice& choice, const InputRules& rules) {
    auto read = ReadChecked(fields, CipherChecks(choice), rules);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    auto& checked = std::get<CheckedFields>(read);
    if (auto refusal = RunCipher(library, choice, direction, checked)) {
        return *refusal;
    }
    return Shown{std::move(checked.data), std::nullopt};
}

Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return EncryptOrDecrypt(library, Direction::encrypt, fields, choice);
}

Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice) {
    return EncryptOrDecrypt(library, Direction::decrypt, fields, choice);
}

} // namespace orvelin
