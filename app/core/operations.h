// The operations behind the main window's buttons, free of any toolkit: from
// the texts of the fields and the states of the check boxes to what the
// window shows, or to the one message that refuses the press. tavik runs the
// same operations with its own limits and labels.
#ifndef ORVELIN_OPERATIONS_H
#define ORVELIN_OPERATIONS_H

#include "cipher_model.h"
#include "field_capacity.h"
#include "messages.h"
#include "tavik_alg_binding.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace orvelin {

// The texts of the fields an operation may read, 8-bit as the window holds
// them. Reading a text changes nothing, so the operation parses each one
// only when its checks reach it.
struct Fields {
    std::string session_key;
    std::string iv;
    std::string data_in;
};

// How a refusal names a field, and the most bytes it may hold.
struct FieldSpec {
    std::string_view label;
    std::size_t capacity = kFieldCapacity;
};

// A lone last hex digit: the window reads it as the low nibble of one more
// byte; a script's dropped digit must not pass unnoticed, so tavik refuses it.
enum class OddDigits { last_is_low_nibble, refused };

// How an operation reads its fields: the window's labels and 256-byte
// buffers unless a caller says otherwise.
struct InputRules {
    FieldSpec key{messages::kSessionKeyLabel};
    FieldSpec iv{messages::kIvLabel};
    FieldSpec data{messages::kDataInLabel};
    OddDigits odd_digits = OddDigits::last_is_low_nibble;
};

// Which cipher runs and how it chains: the window maps its check marks to
// it, tavik its --cipher and --cbc. Sizes, limits and exports are the
// model's (CipherModel).
struct CipherChoice {
    Cipher cipher = Cipher::des;
    Chaining chaining = Chaining::ecb;

    constexpr CipherModel model() const { return {.cipher = cipher}; }
    // The export a whole message goes through.
    constexpr Export RouteExport(Direction direction) const {
        return model().RouteExport(chaining, direction);
    }
};

// The window's AES_ENABLE, 2TDES, 3TDES and CBC check marks.
struct CheckMarks {
    bool aes_enabled = false;
    bool two_key = false;
    bool three_key = false;
    bool cbc = false;
};

// AES when AES_ENABLE is checked; otherwise the radio buttons decide the
// DES-family member, single DES unless 2TDES or 3TDES is checked.
CipherChoice CipherChoiceOf(const CheckMarks& marks);

struct CrcChoice {
    bool crc16 = false;
    bool crc32 = false;
};

// A refused press: one message, and no field changes.
struct Refusal {
    std::string message;
};

// A done press: each field with a value shows those bytes; a field without
// keeps its text.
struct Shown {
    std::optional<Bytes> data_out;
    std::optional<Bytes> cmac;
};

using Outcome = std::variant<Refusal, Shown>;

Outcome EncryptOrDecrypt(const TavikAlgBinding& library, Direction direction, const Fields& fields,
                         const CipherChoice& choice, const InputRules& rules = {});
Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice);
Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice);

Outcome CalcCrc(const std::string& data_in, const CrcChoice& choice, const InputRules& rules = {});

// The full MAC in DataOut; in the CMAC field the AES MAC's bytes 1, 3, ...,
// 15, or the whole triple-DES MAC. Single DES, which has no CMAC, is refused.
Outcome Cmac(const TavikAlgBinding& library, Cipher cipher, const Fields& fields,
             const InputRules& rules = {});
Outcome AesCmac(const TavikAlgBinding& library, const Fields& fields);
Outcome TdesCmac(const TavikAlgBinding& library, const Fields& fields);
Outcome Tdes3KeyCmac(const TavikAlgBinding& library, const Fields& fields);

Outcome KeyXorIn(const Fields& fields, const InputRules& rules = {});

} // namespace orvelin

#endif
