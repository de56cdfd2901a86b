#include "option_words.h"

#include <algorithm>
#include <array>

namespace orvelin::card {
namespace {

constexpr std::array<OptionWord<Cipher>, 4> kCiphers = {{
    {.word = "des",
     .value = Cipher::des,
     .help = "single DES, key 8 bytes (of a longer key, the first 8)"},
    {.word = "2tdes",
     .value = Cipher::two_key_tdes,
     .help = "two-key triple DES, key 16 bytes, K1|K2"},
    {.word = "3tdes",
     .value = Cipher::three_key_tdes,
     .help = "three-key triple DES, key 24 bytes, K1|K2|K3"},
    {.word = "aes", .value = Cipher::aes, .help = "AES-128, key 16 bytes"},
}};

constexpr std::array<OptionWord<KcvMethod>, 4> kKcvMethods = {{
    {.word = "zeros",
     .value = KcvMethod::zero_block,
     .help = "the encryption of one all-zero block"},
    {.word = "gp",
     .value = KcvMethod::ones_block,
     .help = "the encryption of a block of 01 bytes (AES keys only)"},
    {.word = "cmac",
     .value = KcvMethod::cmac_zero_block,
     .help = "the AES-CMAC of one all-zero block (AES keys only)"},
    {.word = "cmac-empty",
     .value = KcvMethod::cmac_empty,
     .help = "the AES-CMAC of the empty message (AES keys only)"},
}};

constexpr std::array<OptionWord<Crc16Type>, 2> kCrc16Types = {{
    {.word = "a", .value = Crc16Type::a, .help = "CRC_A, from 0x6363"},
    {.word = "b", .value = Crc16Type::b, .help = "CRC_B, from 0xFFFF, complemented at the end"},
}};

constexpr std::array<OptionWord<PaddingMethod>, 3> kPaddingMethods = {{
    {.word = "1", .value = PaddingMethod::zeros, .help = "00 bytes up to a whole block"},
    {.word = "2", .value = PaddingMethod::mark_then_zeros, .help = "80, then 00 bytes"},
    {.word = "3",
     .value = PaddingMethod::length_block,
     .help = "a block holding the length in bits, then 00 bytes"},
}};

constexpr std::array<OptionWord<MacAlgorithm>, 2> kMacAlgorithms = {{
    {.word = "1", .value = MacAlgorithm::cbc_mac, .help = "CBC-MAC under the chosen cipher"},
    {.word = "3",
     .value = MacAlgorithm::retail,
     .help = "the retail MAC, single DES under a 16-byte key K|K'"},
}};

constexpr std::array<OptionWord<std::size_t>, 2> kPaddingBlocks = {{
    {.word = "8", .value = 8, .help = "the DES family's block"},
    {.word = "16", .value = 16, .help = "AES's block"},
}};

constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

OptionWords<Cipher> CipherWords() {
    return kCiphers;
}
OptionWords<KcvMethod> KcvMethodWords() {
    return kKcvMethods;
}
OptionWords<Crc16Type> Crc16TypeWords() {
    return kCrc16Types;
}
OptionWords<PaddingMethod> PaddingMethodWords() {
    return kPaddingMethods;
}
OptionWords<MacAlgorithm> MacAlgorithmWords() {
    return kMacAlgorithms;
}
OptionWords<std::size_t> PaddingBlockWords() {
    return kPaddingBlocks;
}

bool SameWord(std::string_view typed, std::string_view word) {
    return std::equal(typed.begin(), typed.end(), word.begin(), word.end(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

} // namespace orvelin::card
