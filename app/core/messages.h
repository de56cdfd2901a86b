// Every text the program shows of its own: the message-box caption, the
// refusals of the operations, the binding failure and the library's
// results. The window's caption, control captions and resource strings stay
// with the dialog templates and the string table.
#ifndef ORVELIN_MESSAGES_H
#define ORVELIN_MESSAGES_H

#include "field_capacity.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvelin::messages {

// The program file's name, which captions every message box.
inline constexpr std::string_view kApplicationName = "Orvelin";

// The length checks of the operations.
inline constexpr std::string_view kKeyLength16 = "Key length must be 16 bytes!";
inline constexpr std::string_view kKeyLength24 = "Key length must be 24 bytes!";
inline constexpr std::string_view kIvLength8 = "IV length must be 8 bytes!";
inline constexpr std::string_view kIvLength16 = "IV length must be 16 bytes!";

// Refusals that keep bad text away from the library.
inline constexpr std::string_view kDesKeyAtLeast8 = "Key length must be at least 8 bytes!";
inline constexpr std::string_view kDataMultipleOf8 = "Data length must be a multiple of 8 bytes!";
inline constexpr std::string_view kDataMultipleOf16 = "Data length must be a multiple of 16 bytes!";

// The fields as the refusals name them.
inline constexpr std::string_view kSessionKeyLabel = "SessionKey";
inline constexpr std::string_view kIvLabel = "IV";
inline constexpr std::string_view kDataInLabel = "DataIn";

// "<Label> must hold hex digits only!"
std::string NotHexDigits(std::string_view label);
// "<Label> must hold an even number of hex digits!"
std::string OddDigitCount(std::string_view label);
// "<Label> length must not exceed 256 bytes!", with the window's fields'
// capacity or the limit a command line holds the field to.
std::string TooLong(std::string_view label, std::size_t capacity = kFieldCapacity);
// "Load TAVIK_ALG.DLL failed! func<NAME> cann't be load!"
std::string BindingFailure(std::string_view export_name);
// "EnOrDecrypt_3DES_CBC returned -5.": an export's result other than done.
std::string ExportResult(std::string_view export_name, std::int32_t result);
// "BoundCipher requires a key of 16 bytes.": a caller broke a precondition of
// a function that calls the library, which then called nothing.
std::string Requires(std::string_view function, std::string_view precondition);

} // namespace orvelin::messages

#endif
