#include "chain_steps.h"

#include "step_labels.h"

#include <string>

namespace orvelin::card {
namespace {

// "CBC encryption through the block export": the steps, as a failed check
// names them.
std::string RouteSteps(Chaining chaining, Direction direction) {
    return std::string(chaining == Chaining::cbc ? "CBC " : "ECB ") +
           (direction == Direction::encrypt ? "encryption" : "decryption") +
           " through the block export";
}

// One block at a time, each step labelled after the prefix and the block's
// number; the CBC chaining value is carried from block to block.
class BlockSteps {
  public:
    BlockSteps(const BlockCipher& cipher, CardResult& result, std::string_view prefix)
        : cipher_(cipher), result_(result), prefix_(prefix) {}

    OrRefusal<Bytes> Run(Chaining chaining, Direction direction, std::size_t index,
                         std::span<const std::uint8_t> input, Bytes& chain) const {
        Step(index, labels::kInput, input);
        auto output = chaining == Chaining::ecb         ? Block(direction, input)
                      : direction == Direction::encrypt ? CbcEncrypt(index, input, chain)
                                                        : CbcDecrypt(index, input, chain);
        if (const auto* done = std::get_if<Bytes>(&output)) {
            Step(index, labels::kOutput, *done);
        }
        return output;
    }

  private:
    OrRefusal<Bytes> Block(Direction direction, std::span<const std::uint8_t> input) const {
        return direction == Direction::encrypt ? cipher_.Encrypt(input) : cipher_.Decrypt(input);
    }

    OrRefusal<Bytes> CbcEncrypt(std::size_t index, std::span<const std::uint8_t> input,
                                Bytes& chain) const {
        Step(index, labels::kChaining, chain);
        const Bytes mixed = XorBytes(input, chain);
        Step(index, labels::kXor, mixed);
        auto output = cipher_.Encrypt(mixed);
        if (const auto* done = std::get_if<Bytes>(&output)) {
            chain = *done;
        }
        return output;
    }

    OrRefusal<Bytes> CbcDecrypt(std::size_t index, std::span<const std::uint8_t> input,
                                Bytes& chain) const {
        const auto decrypted = cipher_.Decrypt(input);
        if (const auto* refusal = RefusalIn(decrypted)) {
            return *refusal;
        }
        Step(index, labels::kDecrypted, std::get<Bytes>(decrypted));
        Step(index, labels::kChaining, chain);
        Bytes output = XorBytes(std::get<Bytes>(decrypted), chain);
        chain.assign(input.begin(), input.end());
        return output;
    }

    void Step(std::size_t index, std::string_view label,
              std::span<const std::uint8_t> bytes) const {
        result_.Step(StepLabel(prefix_, BlockStep(index, label)),
                     Bytes(bytes.begin(), bytes.end()));
    }

    const BlockCipher& cipher_;
    CardResult& result_;
    std::string_view prefix_;
};

// Every block's steps; the output blocks one after another.
OrRefusal<Bytes> AppendBlocks(const BlockCipher& cipher, Chaining chaining, Direction direction,
                              std::span<const std::uint8_t> iv, std::span<const std::uint8_t> data,
                              CardResult& result, std::string_view prefix) {
    const BlockSteps steps(cipher, result, prefix);
    const std::size_t size = cipher.block_size();
    Bytes chain(iv.begin(), iv.end());
    Bytes out;
    for (std::size_t index = 0; index * size < data.size(); ++index) {
        const auto output =
            steps.Run(chaining, direction, index, data.subspan(index * size, size), chain);
        if (const auto* refusal = RefusalIn(output)) {
            return *refusal;
        }
        const Bytes& block = std::get<Bytes>(output);
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

} // namespace

OrRefusal<Bytes> AppendCbcChain(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                std::span<const std::uint8_t> blocks, CardResult& result,
                                std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    if (auto refusal = RequireWholeBlocks("the CBC chain", size, iv, blocks)) {
        return *refusal;
    }
    result.Step(StepLabel(prefix, labels::kIv), Bytes(iv.begin(), iv.end()));
    const auto out =
        AppendBlocks(cipher, Chaining::cbc, Direction::encrypt, iv, blocks, result, prefix);
    if (const auto* refusal = RefusalIn(out)) {
        return *refusal;
    }
    const auto chained = std::span(std::get<Bytes>(out));
    const auto last = chained.empty() ? iv : chained.last(size);
    return Bytes(last.begin(), last.end());
}

OrRefusal<Bytes> AppendCipher(const BlockCipher& cipher, Chaining chaining, Direction direction,
                              std::span<const std::uint8_t> iv, std::span<const std::uint8_t> data,
                              CardResult& result, std::string_view prefix) {
    const std::string steps = RouteSteps(chaining, direction);
    if (auto broken = orvelin::RequireWholeBlocks(steps, chaining, cipher.block_size(), iv.size(),
                                                  data.size())) {
        return CardRefusalOf(*broken);
    }
    auto out = AppendBlocks(cipher, chaining, direction, iv, data, result, prefix);
    if (const auto* refusal = RefusalIn(out)) {
        return *refusal;
    }
    const auto library = cipher.LibraryRun(chaining, direction, iv, data);
    if (const auto* refusal = RefusalIn(library)) {
        return *refusal;
    }
    NoteCheck(result, std::get<Bytes>(library) == std::get<Bytes>(out), steps,
              cipher.RouteExportName(chaining, direction));
    return out;
}

OrRefusal<Bytes> AppendCbcEncrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix) {
    return AppendCipher(cipher, Chaining::cbc, Direction::encrypt, iv, data, result, prefix);
}

OrRefusal<Bytes> AppendCbcDecrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix) {
    return AppendCipher(cipher, Chaining::cbc, Direction::decrypt, iv, data, result, prefix);
}

} // namespace orvelin::card
