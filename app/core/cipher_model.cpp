#include "cipher_model.h"

#include <algorithm>
#include <limits>

namespace orvelin {
namespace {

// What a call returns for an export the model never routes that way:
// kCipherFacts routes none so, and the tests run every route of every cipher.
constexpr std::int32_t kUnrouted = std::numeric_limits<std::int32_t>::min();

// How the routines that are not exports name themselves.
constexpr std::string_view kBoundCipher = "BoundCipher";

constexpr std::uint8_t BlockMode(Direction direction) {
    return direction == Direction::encrypt ? TAVIK_MODE_ENCRYPT : TAVIK_MODE_DECRYPT;
}

constexpr std::uint8_t CbcMode(Direction direction) {
    return direction == Direction::encrypt ? TAVIK_MODE_CBC_ENCRYPT : TAVIK_MODE_CBC_DECRYPT;
}

std::optional<RouteFailure> UnlessDone(Export by, std::int32_t result) {
    if (result == TAVIK_DONE) {
        return std::nullopt;
    }
    return FailedCall{by, result};
}

// The model's CMAC export `by` over checked sizes: it takes the key as it
// is, with no schedule.
OrFailure<Bytes> CallCmac(const TavikAlgBinding& library, const CipherModel& model, Export by,
                          std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
                          std::span<const std::uint8_t> message) {
    Bytes mac(model.block_size());
    // An empty message still passes a pointer to something.
    const std::uint8_t none = 0;
    const std::uint8_t* const data = message.empty() ? &none : message.data();
    // Within the CMAC limit the length fits 16 bits.
    const auto length = static_cast<std::int16_t>(message.size());
    const auto call = [&](const auto& entry) {
        return entry(key.data(), data, length, mac.data(), iv.data());
    };
    std::int32_t result = kUnrouted;
    switch (by) {
    case Export::TDES_CMAC:
        result = call(library.TDES_CMAC);
        break;
    case Export::TDES_3KEY_CMAC:
        result = call(library.TDES_3KEY_CMAC);
        break;
    case Export::AES_CMAC:
        result = call(library.AES_CMAC);
        break;
    default:
        break;
    }
    if (auto failure = UnlessDone(by, result)) {
        return *failure;
    }
    return mac;
}

} // namespace

std::string SizeText(std::size_t size) {
    return std::to_string(size) + (size == 1 ? " byte" : " bytes");
}

std::optional<BrokenPrecondition> RequireWholeBlocks(std::string_view routine, Chaining chaining,
                                                     std::size_t block, std::size_t iv_size,
                                                     std::size_t data_size) {
    const std::string one_block = std::to_string(block) + "-byte block";
    if (chaining == Chaining::ecb) {
        if (data_size % block == 0) {
            return std::nullopt;
        }
        return BrokenPrecondition{routine, "whole " + one_block + "s", SizeText(data_size)};
    }
    if (iv_size == block && data_size % block == 0) {
        return std::nullopt;
    }
    return BrokenPrecondition{routine, "an IV of one " + one_block + " and whole blocks",
                              SizeText(iv_size) + " of IV and " + SizeText(data_size) + " of data"};
}

std::optional<BrokenPrecondition> CipherModel::RefuseKey(std::size_t size) const {
    if (size == key_size()) {
        return std::nullopt;
    }
    return BrokenPrecondition{kBoundCipher, "a key of " + SizeText(key_size()), SizeText(size)};
}

std::optional<BrokenPrecondition> CipherModel::RefuseRoute(Chaining chaining, Direction direction,
                                                           std::size_t iv_size,
                                                           std::size_t data_size) const {
    const std::string_view routine = ExportName(RouteExport(chaining, direction));
    if (auto broken = RequireWholeBlocks(routine, chaining, block_size(), iv_size, data_size)) {
        return broken;
    }
    if (data_size <= data_limit()) {
        return std::nullopt;
    }
    return BrokenPrecondition{routine, "at most " + SizeText(data_limit()), SizeText(data_size)};
}

std::optional<BrokenPrecondition> CipherModel::RefuseCmac(std::size_t iv_size,
                                                          std::size_t message_size) const {
    const std::optional<Export> by = CmacExport();
    if (!by) {
        return BrokenPrecondition{kBoundCipher, "a cipher with a CMAC, which single DES is not",
                                  "single DES"};
    }
    if (iv_size == block_size() && message_size <= cmac_limit()) {
        return std::nullopt;
    }
    return BrokenPrecondition{ExportName(*by),
                              "an IV of " + SizeText(block_size()) + " and at most " +
                                  SizeText(cmac_limit()) + " of message",
                              SizeText(iv_size) + " and " + SizeText(message_size)};
}

OrFailure<BoundCipher> BoundCipher::Make(const TavikAlgBinding& library, const CipherModel& model,
                                         std::span<const std::uint8_t> key) {
    if (auto broken = model.RefuseKey(key.size())) {
        return RouteFailure{*broken};
    }
    BoundCipher bound(library, model, key);
    if (model.cipher == Cipher::aes) {
        const std::int32_t result =
            library.AES_ExpandKey(bound.key_.data(), bound.schedule_.data());
        if (auto failure = UnlessDone(Export::AES_ExpandKey, result)) {
            return *failure;
        }
    }
    return bound;
}

BoundCipher::BoundCipher(const TavikAlgBinding& library, const CipherModel& model,
                         std::span<const std::uint8_t> key)
    : library_(&library), model_(model) {
    std::copy(key.begin(), key.end(), key_.begin());
}

std::optional<RouteFailure> BoundCipher::Run(Chaining chaining, Direction direction,
                                             std::span<const std::uint8_t> iv,
                                             std::span<std::uint8_t> data) const {
    if (auto broken = model_.RefuseRoute(chaining, direction, iv.size(), data.size())) {
        return *broken;
    }
    if (data.empty()) {
        return std::nullopt;
    }
    const Export by = model_.RouteExport(chaining, direction);
    return UnlessDone(by, chaining == Chaining::cbc ? CallCbc(by, direction, iv, data)
                                                    : CallEcb(by, direction, data));
}

std::int32_t BoundCipher::CallEcb(Export by, Direction direction,
                                  std::span<std::uint8_t> data) const {
    const std::uint8_t mode = BlockMode(direction);
    const auto length = static_cast<std::uint32_t>(data.size());
    if (by == Export::EnOrDecrypt_3DES) {
        return library_->EnOrDecrypt_3DES(mode, key_.data(), length, data.data());
    }
    if (by == Export::EnOrDecrypt_3DES_3KEY) {
        return library_->EnOrDecrypt_3DES_3KEY(mode, key_.data(), length, data.data());
    }
    // The other block exports take one block a call.
    const std::size_t size = model_.block_size();
    for (std::size_t offset = 0; offset < data.size(); offset += size) {
        const std::int32_t result = CallBlock(by, mode, data.subspan(offset, size));
        if (result != TAVIK_DONE) {
            return result;
        }
    }
    return TAVIK_DONE;
}

std::int32_t BoundCipher::CallBlock(Export by, std::uint8_t mode,
                                    std::span<std::uint8_t> block) const {
    switch (by) {
    case Export::EnOrDecrypt_DES:
        return library_->EnOrDecrypt_DES(mode, key_.data(), block.data());
    case Export::AES_Encrypt:
        return library_->AES_Encrypt(block.data(), schedule_.data(), block.data());
    case Export::AES_Decrypt:
        return library_->AES_Decrypt(block.data(), schedule_.data(), block.data());
    default:
        return kUnrouted;
    }
}

std::int32_t BoundCipher::CallCbc(Export by, Direction direction, std::span<const std::uint8_t> iv,
                                  std::span<std::uint8_t> data) const {
    // The DES family leaves the last chaining value in the IV buffer: a
    // copy, so that the caller's IV stays as it was.
    std::array<std::uint8_t, TAVIK_AES_BLOCK_SIZE> chaining{};
    std::copy(iv.begin(), iv.end(), chaining.begin());
    const std::uint8_t mode = CbcMode(direction);
    const auto length = static_cast<std::uint32_t>(data.size());
    switch (by) {
    case Export::EnOrDecrypt_DES_CBC:
        return library_->EnOrDecrypt_DES_CBC(mode, key_.data(), chaining.data(), length,
                                             data.data());
    case Export::EnOrDecrypt_3DES_CBC:
        return library_->EnOrDecrypt_3DES_CBC(mode, key_.data(), chaining.data(), length,
                                              data.data());
    case Export::EnOrDecrypt_3DES_3KEY_CBC:
        return library_->EnOrDecrypt_3DES_3KEY_CBC(mode, key_.data(), chaining.data(), length,
                                                   data.data());
    // Within the data limit the length fits 16 bits. AES_EncryptCBC writes
    // P xor V back into its input, which is the output here.
    case Export::AES_EncryptCBC:
        return library_->AES_EncryptCBC(data.data(), schedule_.data(), data.data(),
                                        static_cast<std::uint16_t>(length), chaining.data());
    case Export::AES_DecryptCBC:
        return library_->AES_DecryptCBC(data.data(), schedule_.data(), data.data(),
                                        static_cast<std::uint16_t>(length), chaining.data());
    default:
        return kUnrouted;
    }
}

OrFailure<Bytes> BoundCipher::Cmac(std::span<const std::uint8_t> iv,
                                   std::span<const std::uint8_t> message) const {
    if (auto broken = model_.RefuseCmac(iv.size(), message.size())) {
        return RouteFailure{*broken};
    }
    return CallCmac(*library_, model_, *model_.CmacExport(),
                    std::span(key_).first(model_.key_size()), iv, message);
}

std::optional<RouteFailure> RunRoute(const TavikAlgBinding& library, const CipherModel& model,
                                     Chaining chaining, Direction direction,
                                     std::span<const std::uint8_t> key,
                                     std::span<const std::uint8_t> iv,
                                     std::span<std::uint8_t> data) {
    if (auto broken = model.RefuseKey(key.size())) {
        return *broken;
    }
    if (auto broken = model.RefuseRoute(chaining, direction, iv.size(), data.size())) {
        return *broken;
    }
    if (data.empty()) {
        return std::nullopt;
    }
    const auto bound = BoundCipher::Make(library, model, key);
    if (const auto* failure = std::get_if<RouteFailure>(&bound)) {
        return *failure;
    }
    return std::get<BoundCipher>(bound).Run(chaining, direction, iv, data);
}

OrFailure<Bytes> RunCmacRoute(const TavikAlgBinding& library, const CipherModel& model,
                              std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
                              std::span<const std::uint8_t> message) {
    if (auto broken = model.RefuseCmac(iv.size(), message.size())) {
        return RouteFailure{*broken};
    }
    if (auto broken = model.RefuseKey(key.size())) {
        return RouteFailure{*broken};
    }
    return CallCmac(library, model, *model.CmacExport(), key, iv, message);
}

} // namespace orvelin
