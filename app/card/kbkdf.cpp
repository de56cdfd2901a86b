#include "kbkdf.h"

#include "card_messages.h"
#include "cmac_steps.h"
#include "secure_channel.h"
#include "step_labels.h"

#include <array>
#include <string>

namespace orvelin::card {
namespace {

constexpr std::size_t kBlock = TAVIK_AES_BLOCK_SIZE;
constexpr std::size_t kMaxRounds = 255;

} // namespace

OrRefusal<Bytes> AppendKbkdf(const TavikAlgBinding& library, const KbkdfRequest& request,
                             CardResult& result, std::string_view prefix) {
    auto made = BlockCipher::Make(library, kCardAes, request.key);
    if (auto* refusal = std::get_if<CardRefusal>(&made)) {
        return *refusal;
    }
    if (request.output_size == 0 || request.output_size > kMaxRounds * kBlock) {
        return CardRefusal{messages::LengthOutOfRange("The derived key", 1, kMaxRounds * kBlock)};
    }
    const std::size_t fixed_limit = TAVIK_AES_CMAC_MAX_LENGTH - 1;
    if (request.before_counter.size() + request.after_counter.size() > fixed_limit) {
        return CardRefusal{messages::DataTooLong(fixed_limit)};
    }
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    const Bytes iv(kBlock);
    Bytes derived;
    for (std::size_t round = 1; derived.size() < request.output_size; ++round) {
        const std::array<std::uint8_t, 1> counter = {static_cast<std::uint8_t>(round)};
        const Bytes input = Joined({request.before_counter, counter, request.after_counter});
        const std::string name = StepLabel(prefix, "K(" + std::to_string(round) + ")");
        result.Step(name + " input", input);
        const auto block = AppendCmac(cipher, iv, input, result, name);
        if (const auto* refusal = RefusalIn(block)) {
            return *refusal;
        }
        derived.insert(derived.end(), std::get<Bytes>(block).begin(), std::get<Bytes>(block).end());
    }
    derived.resize(request.output_size);
    return derived;
}

CardOutcome Kbkdf(const TavikAlgBinding& library, const KbkdfRequest& request) {
    CardResult result;
    auto derived = AppendKbkdf(library, request, result);
    if (const auto* refusal = RefusalIn(derived)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Value("", std::move(std::get<Bytes>(derived)));
    return result;
}

} // namespace orvelin::card
