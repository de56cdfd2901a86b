// The library linked into the program instead of loaded: for a build with no
// loader and for tests that stand a function in for one of the library's.
// Only the orvelin_core_linked target, which links the library itself,
// defines these; TavikAlgBinding::FromLinked() binds them.
#ifndef ORVELIN_LINKED_TAVIK_ALG_H
#define ORVELIN_LINKED_TAVIK_ALG_H

#include "tavik_alg_binding.h"

namespace orvelin {

// The fifteen linked functions; none is null.
TavikAlgFunctions LinkedTavikAlgFunctions();

} // namespace orvelin

#endif
