// The refusals of the card-practice operations: one clear sentence each, in
// the window's style.
#ifndef ORVELIN_CARD_MESSAGES_H
#define ORVELIN_CARD_MESSAGES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvelin::card::messages {

// "Key length must be N bytes!"
std::string KeyLength(std::size_t size);
// "IV length must be N bytes!"
std::string IvLength(std::size_t size);
// "Data length must not exceed N bytes!"
std::string DataTooLong(std::size_t limit);
// "<What> must be from LOW to HIGH bytes!"
std::string LengthOutOfRange(std::string_view what, std::size_t low, std::size_t high);

inline constexpr std::string_view kBlockSize = "Block size must be 8 or 16 bytes!";
inline constexpr std::string_view kUnknownPaddingMethod = "Padding method must be 1, 2 or 3!";
inline constexpr std::string_view kUnknownMacAlgorithm = "MAC algorithm must be 1 or 3!";
inline constexpr std::string_view kNoCmacForDes =
    "Single DES has no CMAC here: choose 2TDES, 3TDES or AES!";
inline constexpr std::string_view kRetailTakesNoCipher =
    "MAC algorithm 3 is single DES under a 16-byte key K|K' and takes no cipher!";
inline constexpr std::string_view kAesOnlyCheckValue =
    "This check value is defined for AES keys only!";
inline constexpr std::string_view kNoDesDiversification =
    "AN10922 diversifies AES-128, 2TDES and 3TDES keys, not single DES!";

inline constexpr std::string_view kUnpadMethod1 =
    "Padding method 1 cannot be removed: its zero bytes cannot be told from data that ends in "
    "zeros!";
inline constexpr std::string_view kUnpadWholeBlocks =
    "Padded data must be a positive multiple of the block size!";
inline constexpr std::string_view kUnpadNoMark =
    "Not padded by method 2: the last block holds no 80 byte!";
inline constexpr std::string_view kUnpadAfterMark =
    "Not padded by method 2: a non-zero byte follows the last 80 byte!";
inline constexpr std::string_view kUnpadLengthDisagrees =
    "Not padded by method 3: the length block disagrees with the data's length!";
inline constexpr std::string_view kUnpadNonZeroFill =
    "Not padded by method 3: the fill after the data is not all zero bytes!";

// "<Step route> and <export route> disagree!"
std::string RoutesDisagree(std::string_view steps, std::string_view library);

// "Precondition broken: <what>!": a caller inside the program broke what a
// routine assumes. No input reaches one; the message names it all the same.
std::string PreconditionBroken(std::string_view what);

} // namespace orvelin::card::messages

#endif
