// How a fuzz target reports a broken invariant: it stops on the spot, so that
// libFuzzer keeps the input that did it.
#ifndef ORVELIN_FUZZ_CHECK_H
#define ORVELIN_FUZZ_CHECK_H

#include <algorithm>
#include <span>

namespace orvelin::fuzz {

inline void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

template <typename A, typename B>
bool Same(const A& a, const B& b) {
    return std::ranges::equal(a, b);
}

} // namespace orvelin::fuzz

#endif
