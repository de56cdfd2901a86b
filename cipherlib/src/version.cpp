// The library's version number, as callers query it.
#include "tavik_alg.h"

#include <cstdint>

extern "C" std::int32_t lib_ver(std::uint32_t* version) noexcept {
    if (version == nullptr) {
        return TAVIK_NULL_VERSION;
    }
    *version = TAVIK_ALG_VERSION;
    return TAVIK_DONE;
}
