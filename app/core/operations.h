// The operations behind the main window's buttons, free of any toolkit: from
// the texts of the fields and the states of the check boxes to what the
// window shows, or to the one message that refuses the press.
#ifndef ORVELIN_OPERATIONS_H
#define ORVELIN_OPERATIONS_H

#include "tavik_alg_binding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace orvelin {

using Bytes = std::vector<std::uint8_t>;

// The texts of the fields an operation may read, 8-bit as the window holds
// them. Reading a text changes nothing, so the operation parses each one
// only when its checks reach it.
struct Fields {
    std::string session_key;
    std::string iv;
    std::string data_in;
};

// The DES, 2TDES and 3TDES radio buttons.
enum class DesVariant { single_des, two_key, three_key };

struct CipherChoice {
    bool aes_enabled = false;
    DesVariant des_variant = DesVariant::single_des;
    bool cbc = false;
};

// What the check marks choose: the radio buttons decide the DES-family
// member, single DES unless 2TDES or 3TDES is checked.
CipherChoice CipherChoiceOf(bool aes_enabled, bool two_key_checked, bool three_key_checked,
                            bool cbc);

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

Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice);
Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice);

Outcome CalcCrc(const std::string& data_in, const CrcChoice& choice);

// The AES MAC's CMAC field shows bytes 1, 3, ..., 15 of the 16-byte MAC.
Outcome AesCmac(const TavikAlgBinding& library, const Fields& fields);
Outcome TdesCmac(const TavikAlgBinding& library, const Fields& fields);
Outcome Tdes3KeyCmac(const TavikAlgBinding& library, const Fields& fields);

Outcome KeyXorIn(const Fields& fields);

} // namespace orvelin

#endif
