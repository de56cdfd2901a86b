// The words that name each choice of the card-practice operations, one table
// per choice: the cipher, the check-value method, the CRC type, the padding
// method, the MAC algorithm and the padding block. tavik reads its options
// from them and the window fills its drop-down lists from them, so that a word
// means the same everywhere. Free of any toolkit.
#ifndef ORVELIN_CARD_OPTION_WORDS_H
#define ORVELIN_CARD_OPTION_WORDS_H

#include "check_value.h"
#include "cipher_model.h"
#include "mac.h"
#include "padding.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string_view>

namespace orvelin::card {

// One choice: its word in lower case as tavik documents it, what it selects,
// and a phrase that explains it.
template <typename Value>
struct OptionWord {
    std::string_view word;
    Value value;
    std::string_view help;
};

template <typename Value>
using OptionWords = std::span<const OptionWord<Value>>;

// The CRC16 that crc16 computes: CRC_A or CRC_B of ISO/IEC 14443-3.
enum class Crc16Type { a, b };

// Each table in display order.
OptionWords<Cipher> CipherWords();
OptionWords<KcvMethod> KcvMethodWords();
OptionWords<Crc16Type> Crc16TypeWords();
OptionWords<PaddingMethod> PaddingMethodWords();
OptionWords<MacAlgorithm> MacAlgorithmWords();
OptionWords<std::size_t> PaddingBlockWords(); // in bytes

// Whether `typed` spells `word`, letters in either case.
bool SameWord(std::string_view typed, std::string_view word);

// The entry `typed` names, in any case; nullptr when it names none.
template <typename Value>
const OptionWord<Value>* FindWord(OptionWords<Value> words, std::string_view typed) {
    const auto found =
        std::find_if(words.begin(), words.end(), [typed](const OptionWord<Value>& entry) {
            return SameWord(typed, entry.word);
        });
    return found == words.end() ? nullptr : &*found;
}

} // namespace orvelin::card

#endif
