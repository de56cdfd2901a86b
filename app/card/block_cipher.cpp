#include "block_cipher.h"

#include "card_messages.h"
#include "messages.h"

#include <algorithm>
#include <string>

namespace orvelin::card {
namespace {

CardRefusal Broken(const BrokenPrecondition& broken) {
    return CardRefusal{messages::PreconditionBroken(std::string(broken.routine) + " takes " +
                                                    broken.requirement + ", not " + broken.found)};
}

} // namespace

CardRefusal CardRefusalOf(const RouteFailure& failure) {
    if (const auto* broken = std::get_if<BrokenPrecondition>(&failure)) {
        return Broken(*broken);
    }
    const auto& call = std::get<FailedCall>(failure);
    return CardRefusal{orvelin::messages::ExportResult(ExportName(call.by), call.result)};
}

OrRefusal<BlockCipher> BlockCipher::Make(const TavikAlgBinding& library, const CipherModel& model,
                                         std::span<const std::uint8_t> key) {
    if (key.size() != model.key_size()) {
        return CardRefusal{messages::KeyLength(model.key_size())};
    }
    auto bound = BoundCipher::Make(library, model, key);
    if (const auto* failure = std::get_if<RouteFailure>(&bound)) {
        return CardRefusalOf(*failure);
    }
    return BlockCipher(std::get<BoundCipher>(std::move(bound)));
}

OrRefusal<Bytes> BlockCipher::Encrypt(std::span<const std::uint8_t> block) const {
    return RunBlock(Direction::encrypt, block);
}

OrRefusal<Bytes> BlockCipher::Decrypt(std::span<const std::uint8_t> block) const {
    return RunBlock(Direction::decrypt, block);
}

OrRefusal<Bytes> BlockCipher::RunBlock(Direction direction,
                                       std::span<const std::uint8_t> block) const {
    const std::size_t size = block_size();
    if (block.size() != size) {
        return Broken({.routine = BlockExportName(direction),
                       .requirement = "one block of " + SizeText(size),
                       .found = SizeText(block.size())});
    }
    return LibraryRun(Chaining::ecb, direction, {}, block);
}

OrRefusal<Bytes> BlockCipher::LibraryRun(Chaining chaining, Direction direction,
                                         std::span<const std::uint8_t> iv,
                                         std::span<const std::uint8_t> data) const {
    Bytes out(data.begin(), data.end());
    if (auto failure = bound_.Run(chaining, direction, iv, out)) {
        return CardRefusalOf(*failure);
    }
    return out;
}

OrRefusal<Bytes> BlockCipher::LibraryCmac(std::span<const std::uint8_t> iv,
                                          std::span<const std::uint8_t> message) const {
    if (!model().CmacExport()) {
        return CardRefusal{std::string(messages::kNoCmacForDes)};
    }
    auto mac = bound_.Cmac(iv, message);
    if (const auto* failure = std::get_if<RouteFailure>(&mac)) {
        return CardRefusalOf(*failure);
    }
    return std::get<Bytes>(std::move(mac));
}

std::optional<CardRefusal> RequireWholeBlocks(std::string_view routine, std::size_t block,
                                              std::span<const std::uint8_t> iv,
                                              std::span<const std::uint8_t> data) {
    if (auto broken =
            orvelin::RequireWholeBlocks(routine, Chaining::cbc, block, iv.size(), data.size())) {
        return Broken(*broken);
    }
    return std::nullopt;
}

Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    Bytes out(std::min(a.size(), b.size()));
    std::transform(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(out.size()), b.begin(),
                   out.begin(),
                   [](std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>(x ^ y); });
    return out;
}

} // namespace orvelin::card
