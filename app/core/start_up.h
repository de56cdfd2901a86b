// Binding at start-up: before any window exists, a table that cannot be
// bound shows its one message and ends the program.
#ifndef ORVELIN_START_UP_H
#define ORVELIN_START_UP_H

#include "tavik_alg_binding.h"

#include <functional>

namespace orvelin {

// The exit status of a failed binding (255 as a shell sees it).
inline constexpr int kBindingFailureStatus = -1;

// Shows one message and returns when the operator has closed it.
using ShowMessage = std::function<void(const std::string&)>;

// The bound table, or the failure shown through `show_message` and the
// process ended with kBindingFailureStatus.
TavikAlgBinding BindAtStartUp(const char* file_name, const ShowMessage& show_message);

} // namespace orvelin

#endif
