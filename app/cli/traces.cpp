// The traces of encrypt, decrypt and cmac: the card operations' steps
// (chain_steps.h, cmac_steps.h) over the input the core's operation has
// passed, checked against the whole-message export.
#include "tavik.h"

#include "chain_steps.h"
#include "cmac_steps.h"

#include <functional>

namespace orvelin::cli {
namespace {

using Steps = std::function<card::OrRefusal<Bytes>(const card::BlockCipher&, card::CardResult&)>;

// `steps` under the input's key, as the cipher's exports read it; a
// refusal keeps the steps before it.
card::CardOutcome Traced(const TavikAlgBinding& library, const CipherModel& model,
                         const CheckedFields& input, const Steps& steps) {
    const auto made = card::BlockCipher::Make(library, model, KeyAsRead(model, input.key));
    if (const auto* refusal = card::RefusalIn(made)) {
        return *refusal;
    }
    card::CardResult result;
    const auto done = steps(std::get<card::BlockCipher>(made), result);
    if (const auto* refusal = card::RefusalIn(done)) {
        return card::LateRefusal(std::move(result), *refusal);
    }
    return result;
}

} // namespace

card::CardOutcome TraceCipher(const TavikAlgBinding& library, const CipherChoice& choice,
                              Direction direction, const CheckedFields& input) {
    return Traced(library, choice.model(), input,
                  [&](const card::BlockCipher& cipher, card::CardResult& result) {
                      return card::AppendCipher(cipher, choice.chaining, direction, input.iv,
                                                input.data, result);
                  });
}

card::CardOutcome TraceCmac(const TavikAlgBinding& library, Cipher cipher,
                            const CheckedFields& input) {
    return Traced(library, {.cipher = cipher}, input,
                  [&](const card::BlockCipher& bound, card::CardResult& result) {
                      return card::AppendCmac(bound, input.iv, input.data, result);
                  });
}

} // namespace orvelin::cli
