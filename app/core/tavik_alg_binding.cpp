#include "tavik_alg_binding.h"

#include "messages.h"

#include <optional>

namespace orvelin {

// Looks exports up in order until one is missing; after that it looks
// nothing up, so that only the first failure is ever seen.
class TavikAlgBinding::Binder {
  public:
    explicit Binder(const char* file_name) : module_(platform::LoadLibraryA(file_name)) {}

    platform::ModuleHandle module() const { return module_; }
    const std::optional<std::string>& failure() const { return failure_; }

    void* Next(const char* name) {
        if (failure_) {
            return nullptr;
        }
        void* const address = platform::GetProcAddress(module_, name);
        if (address == nullptr) {
            failure_ = messages::BindingFailure(name);
        }
        return address;
    }

  private:
    platform::ModuleHandle module_;
    std::optional<std::string> failure_;
};

// Members are initialised in declaration order, which is the binding order.
#define ORVELIN_BIND_ENTRY(name) , name(binder.Next(#name))
TavikAlgBinding::TavikAlgBinding(Binder& binder)
    : module(binder.module()) TAVIK_ALG_EXPORTS(ORVELIN_BIND_ENTRY) {}
#undef ORVELIN_BIND_ENTRY

BindingResult TavikAlgBinding::Bind(const char* file_name) {
    Binder binder(file_name);
    const TavikAlgBinding binding(binder);
    if (binder.failure()) {
        return BindingFailure{*binder.failure()};
    }
    return binding;
}

} // namespace orvelin
