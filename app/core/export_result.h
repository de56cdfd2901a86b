// An export's result as the operations read it: done, or a refusal that
// names the export, so that nothing it may have written is shown.
#ifndef ORVELIN_EXPORT_RESULT_H
#define ORVELIN_EXPORT_RESULT_H

#include "messages.h"
#include "operations.h"

#include <cstdint>
#include <optional>

namespace orvelin {

inline std::optional<Refusal> RefuseUnlessDone(Export by, std::int32_t result) {
    if (result == TAVIK_DONE) {
        return std::nullopt;
    }
    return Refusal{messages::ExportResult(ExportName(by), result)};
}

} // namespace orvelin

#endif
