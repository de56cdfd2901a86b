#include "chain_steps.h"

#include "step_labels.h"

namespace orvelin::card {

Bytes AppendCbcChain(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                     std::span<const std::uint8_t> blocks, CardResult& result,
                     std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    Bytes chaining(iv.begin(), iv.end());
    result.Step(StepLabel(prefix, "IV"), chaining);
    for (std::size_t index = 0; (index + 1) * size <= blocks.size(); ++index) {
        const auto input = blocks.subspan(index * size, size);
        result.Step(StepLabel(prefix, BlockStep(index, "input")),
                    Bytes(input.begin(), input.end()));
        chaining = cipher.Encrypt(XorBytes(input, chaining));
        result.Step(StepLabel(prefix, BlockStep(index, "output")), chaining);
    }
    return chaining;
}

} // namespace orvelin::card
