// The operations behind the main window's buttons, free of any toolkit: from
// the texts of the fields and the states of the check boxes to what the
// window shows, or to the one message that refuses the press.
#ifndef ORVELIN_OPERATIONS_H
#define ORVELIN_OPERATIONS_H

#include "hex_text.h"
#include "tavik_alg_binding.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

using Bytes = std::vector<std::uint8_t>;

// Reads one field into a caller's buffer by the hex reading rule, as the
// window's hex fields do; an operation reads each field only when its checks
// reach it.
using FieldReader = std::function<HexReading(std::span<std::uint8_t>)>;

// A reader over a fixed text, which must outlive it.
FieldReader TextReader(std::string_view text);

// The fields an operation may read.
struct Fields {
    FieldReader session_key;
    FieldReader iv;
    FieldReader data_in;

    Fields(FieldReader key, FieldReader initial_vector, FieldReader data)
        : session_key(std::move(key)), iv(std::move(initial_vector)), data_in(std::move(data)) {}
    // Fields holding fixed texts, which must outlive them.
    Fields(std::string_view key, std::string_view initial_vector, std::string_view data)
        : Fields(TextReader(key), TextReader(initial_vector), TextReader(data)) {}
};

// The DES, 2TDES and 3TDES radio buttons.
enum class DesVariant { single_des, two_key, three_key };

struct CipherChoice {
    bool aes_enabled = false;
    DesVariant des_variant = DesVariant::single_des;
    bool cbc = false;
};

struct CrcChoice {
    bool crc16 = false;
    bool crc32 = false;
};

// A refusal carries a message and changes no field; otherwise each field
// with a value shows those bytes and a field without keeps its text.
struct Outcome {
    std::optional<std::string> message;
    std::optional<Bytes> data_out;
    std::optional<Bytes> cmac;
};

Outcome Encrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice);
Outcome Decrypt(const TavikAlgBinding& library, const Fields& fields, const CipherChoice& choice);

Outcome CalcCrc(const FieldReader& data_in, const CrcChoice& choice);

// The AES MAC's CMAC field shows bytes 1, 3, ..., 15 of the 16-byte MAC.
Outcome AesCmac(const TavikAlgBinding& library, const Fields& fields);
Outcome TdesCmac(const TavikAlgBinding& library, const Fields& fields);
Outcome Tdes3KeyCmac(const TavikAlgBinding& library, const Fields& fields);

Outcome KeyXorIn(const Fields& fields);

} // namespace orvelin

#endif
