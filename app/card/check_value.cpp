#include "check_value.h"

#include "card_messages.h"
#include "cmac_steps.h"
#include "step_labels.h"

namespace orvelin::card {
namespace {

constexpr std::size_t kCmacKcvLength = 5;
constexpr std::size_t kKcvLength = 3;
constexpr std::uint8_t kOnes = 0x01;

// The encryption of one block by the block export, checked against the CBC
// export from a zero IV.
OrRefusal<Bytes> EncryptedBlock(const BlockCipher& cipher, std::uint8_t fill, CardResult& result) {
    const Bytes block(cipher.block_size(), fill);
    result.Step("block", block);
    auto encrypted = cipher.Encrypt(block);
    if (const auto* refusal = RefusalIn(encrypted)) {
        return *refusal;
    }
    result.Step("encrypted", std::get<Bytes>(encrypted));
    const auto library = cipher.LibraryCbcEncrypt(Bytes(cipher.block_size()), block);
    if (const auto* refusal = RefusalIn(library)) {
        return *refusal;
    }
    NoteCheck(result, std::get<Bytes>(library) == std::get<Bytes>(encrypted), "The block export",
              cipher.CbcExportName());
    return encrypted;
}

OrRefusal<Bytes> FullCheckValue(const BlockCipher& cipher, KcvMethod method, CardResult& result) {
    const Bytes zero_block(cipher.block_size());
    switch (method) {
    case KcvMethod::ones_block:
        return EncryptedBlock(cipher, kOnes, result);
    case KcvMethod::cmac_zero_block:
        return AppendCmac(cipher, zero_block, zero_block, result, "CMAC");
    case KcvMethod::cmac_empty:
        return AppendCmac(cipher, zero_block, {}, result, "CMAC");
    case KcvMethod::zero_block:
        break;
    }
    return EncryptedBlock(cipher, 0, result);
}

} // namespace

bool KcvMethodFits(KcvMethod method, const CipherModel& cipher) {
    return method == KcvMethod::zero_block || cipher.cipher == Cipher::aes;
}

std::size_t DefaultKcvLength(KcvMethod method) {
    return method == KcvMethod::cmac_zero_block ? kCmacKcvLength : kKcvLength;
}

CardOutcome KeyCheckValue(const TavikAlgBinding& library, const KcvRequest& request) {
    if (!KcvMethodFits(request.method, request.cipher)) {
        return CardRefusal{std::string(messages::kAesOnlyCheckValue)};
    }
    auto made = BlockCipher::Make(library, request.cipher, request.key);
    if (auto* refusal = std::get_if<CardRefusal>(&made)) {
        return *refusal;
    }
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    const std::size_t length = request.length.value_or(DefaultKcvLength(request.method));
    if (length < 1 || length > cipher.block_size()) {
        return CardRefusal{
            messages::LengthOutOfRange("Check value length", 1, cipher.block_size())};
    }
    CardResult result;
    auto value = FullCheckValue(cipher, request.method, result);
    if (const auto* refusal = RefusalIn(value)) {
        return LateRefusal(std::move(result), *refusal);
    }
    Bytes& full = std::get<Bytes>(value);
    full.resize(length);
    result.Value("", std::move(full));
    return result;
}

} // namespace orvelin::card
