// Encrypt and Decrypt: AES-128 or a DES-family member, ECB or CBC over the
// IV, through the model's route for the choice.
#include "export_result.h"
#include "field_reading.h"

namespace orvelin {

CipherChoice CipherChoiceOf(const CheckMarks& marks) {
    const Cipher des_family = marks.two_key     ? Cipher::two_key_tdes
                              : marks.three_key ? Cipher::three_key_tdes
                                                : Cipher::des;
    return {.cipher = marks.aes_enabled ? Cipher::aes : des_family,
            .chaining = marks.cbc ? Chaining::cbc : Chaining::ecb};
}

FieldChecks CipherChecks(const CipherChoice& choice) {
    return {.cipher = choice.model(),
            .iv = choice.chaining == Chaining::cbc ? IvReading::one_block : IvReading::none,
            .data = DataBlocks::whole};
}

// The checked fields' data is encrypted or decrypted in place and shown;
// a refused route shows nothing.
Outcome EncryptOrDecrypt(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                         const CipherChoice& choice, const InputRules& rules) {
    auto read = ReadChecked(fields, CipherChecks(choice), rules);
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    auto& checked = std::get<CheckedFields>(read);
    const CipherModel model = choice.model();
    if (auto failure = RunRoute(library, model, choice.chaining, direction,
                                KeyAsRead(model, checked.key), checked.iv, checked.data)) {
        return RefusalOf(*failure);
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
