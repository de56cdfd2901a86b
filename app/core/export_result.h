// A failure of the cipher model as the operations refuse it: a broken
// precondition names the routine and what it requires; an export whose
// result was not done names the export and its result, so that nothing it
// may have written is shown.
#ifndef ORVELIN_EXPORT_RESULT_H
#define ORVELIN_EXPORT_RESULT_H

#include "cipher_model.h"
#include "messages.h"
#include "operations.h"

#include <variant>

namespace orvelin {

inline Refusal RefusalOf(const RouteFailure& failure) {
    if (const auto* broken = std::get_if<BrokenPrecondition>(&failure)) {
        return Refusal{messages::Requires(broken->routine, broken->requirement)};
    }
    const auto& call = std::get<FailedCall>(failure);
    return Refusal{messages::ExportResult(ExportName(call.by), call.result)};
}

} // namespace orvelin

#endif
