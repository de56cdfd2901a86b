#include "linked_tavik_alg.h"

namespace orvelin {

TavikAlgFunctions LinkedTavikAlgFunctions() {
#define ORVELIN_LINKED_ENTRY(name) .name = &::name,
    return {TAVIK_ALG_EXPORTS(ORVELIN_LINKED_ENTRY)};
#undef ORVELIN_LINKED_ENTRY
}

// Every entry is a linked function, so nothing can be missing.
TavikAlgBinding TavikAlgBinding::FromLinked() {
    return TavikAlgBinding(LinkedTavikAlgFunctions());
}

} // namespace orvelin
