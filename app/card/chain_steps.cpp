#include "chain_steps.h"

#include "step_labels.h"

namespace orvelin::card {

OrRefusal<Bytes> AppendCbcChain(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                std::span<const std::uint8_t> blocks, CardResult& result,
                                std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    if (auto refusal = RequireWholeBlocks("the CBC chain", size, iv, blocks)) {
        return *refusal;
    }
    Bytes chaining(iv.begin(), iv.end());
    result.Step(StepLabel(prefix, "IV"), chaining);
    for (std::size_t index = 0; index * size < blocks.size(); ++index) {
        const auto input = blocks.subspan(index * size, size);
        result.Step(StepLabel(prefix, BlockStep(index, "input")),
                    Bytes(input.begin(), input.end()));
        auto output = cipher.Encrypt(XorBytes(input, chaining));
        if (const auto* refusal = RefusalIn(output)) {
            return *refusal;
        }
        chaining = std::get<Bytes>(std::move(output));
        result.Step(StepLabel(prefix, BlockStep(index, "output")), chaining);
    }
    return chaining;
}

} // namespace orvelin::card
