// The texts tavik shows beyond the window's own (app/core/messages.h).
#ifndef TAVIK_CLI_MESSAGES_H
#define TAVIK_CLI_MESSAGES_H

#include <cstddef>
#include <string>
#include <string_view>

namespace orvelin::cli::messages {

// "<Label> length must not exceed <limit> bytes!", as the window words its
// own capacity, with the limit of the command at hand.
std::string LongerThan(std::string_view label, std::size_t limit);

inline constexpr std::string_view kStandardInputOnce =
    "Only one argument can read standard input ('-').";
inline constexpr std::string_view kCmacKcvAesOnly =
    "--cmac computes the check value of AES keys only.";

// A traced run whose steps do not end in what the library's export returns.
std::string CheckFailed(std::string_view export_name, std::string_view traced,
                        std::string_view returned);

} // namespace orvelin::cli::messages

#endif
