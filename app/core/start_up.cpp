#include "start_up.h"

#include <cstdlib>

namespace orvelin {

TavikAlgBinding BindAtStartUp(const char* file_name, const ShowMessage& show_message) {
    BindingResult result = TavikAlgBinding::Bind(file_name);
    if (const auto* failure = std::get_if<BindingFailure>(&result)) {
        show_message(failure->Message());
        std::exit(kBindingFailureStatus);
    }
    return std::get<TavikAlgBinding>(std::move(result));
}

} // namespace orvelin
