#include "typing_filter.h"

namespace orvelin {

bool PassesTypingFilter(bool ctrl_held, char32_t c) {
    if (ctrl_held) {
        return true;
    }
    constexpr char32_t kBackspace = 8;
    const bool digit = c >= U'0' && c <= U'9';
    const bool upper = c >= U'A' && c <= U'F';
    const bool lower = c >= U'a' && c <= U'f';
    return digit || upper || lower || c == kBackspace || c == U'%' || c == U'\'' || c == U'.';
}

} // namespace orvelin
