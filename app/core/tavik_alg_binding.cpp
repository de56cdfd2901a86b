#include "tavik_alg_binding.h"

#include "messages.h"

#include <array>
#include <optional>

namespace orvelin {
namespace {

// The header's names in binding order.
#define ORVELIN_EXPORT_NAME(name) std::string_view(#name),
constexpr std::array kBindingOrder = {TAVIK_ALG_EXPORTS(ORVELIN_EXPORT_NAME)};
#undef ORVELIN_EXPORT_NAME

// The first null entry of a table, in binding order.
std::optional<std::string_view> FirstMissing(const TavikAlgFunctions& functions) {
#define ORVELIN_IS_PRESENT(name) functions.name != nullptr,
    const std::array<bool, kBindingOrder.size()> present = {TAVIK_ALG_EXPORTS(ORVELIN_IS_PRESENT)};
#undef ORVELIN_IS_PRESENT
    for (std::size_t i = 0; i < present.size(); ++i) {
        if (!present.at(i)) {
            return kBindingOrder.at(i);
        }
    }
    return std::nullopt;
}

} // namespace

std::string BindingFailure::Message() const {
    return messages::BindingFailure(export_name);
}

// Looks exports up in order until one is missing; after that it looks
// nothing up, so that only the first failure is ever seen. Each failure
// keeps the loader's reason, read before any other loader call.
class TavikAlgBinding::Binder {
  public:
    explicit Binder(const char* file_name)
        : file_(platform::LibraryPath(file_name)), module_(platform::LoadLibraryA(file_name)),
          load_error_(module_ == nullptr ? platform::LastLoaderError() : platform::LoaderError{}) {}

    platform::ModuleHandle module() const { return module_; }
    const std::optional<BindingFailure>& failure() const { return failure_; }

    void* Next(const char* name) {
        if (failure_) {
            return nullptr;
        }
        if (module_ == nullptr) {
            failure_ = BindingFailure{.kind = BindingFailure::Kind::library_not_loaded,
                                      .file = file_,
                                      .export_name = name,
                                      .reason = load_error_};
            return nullptr;
        }
        void* const address = platform::GetProcAddress(module_, name);
        if (address == nullptr) {
            failure_ = BindingFailure{.kind = BindingFailure::Kind::export_not_found,
                                      .file = file_,
                                      .export_name = name,
                                      .reason = platform::LastLoaderError()};
        }
        return address;
    }

  private:
    std::string file_;
    platform::ModuleHandle module_;
    platform::LoaderError load_error_;
    std::optional<BindingFailure> failure_;
};

// Members are initialised in declaration order, which is the binding order.
#define ORVELIN_BIND_ENTRY(name) , name(binder.Next(#name))
TavikAlgBinding::TavikAlgBinding(Binder& binder)
    : module(binder.module()) TAVIK_ALG_EXPORTS(ORVELIN_BIND_ENTRY) {}
#undef ORVELIN_BIND_ENTRY

#define ORVELIN_TABLE_ENTRY(name) , name(functions.name)
TavikAlgBinding::TavikAlgBinding(const TavikAlgFunctions& functions)
    : module(nullptr) TAVIK_ALG_EXPORTS(ORVELIN_TABLE_ENTRY) {}
#undef ORVELIN_TABLE_ENTRY

BindingResult TavikAlgBinding::Bind(const char* file_name) {
    Binder binder(file_name);
    const TavikAlgBinding binding(binder);
    if (binder.failure()) {
        return *binder.failure();
    }
    return binding;
}

BindingResult TavikAlgBinding::FromFunctions(const TavikAlgFunctions& functions) {
    if (const auto missing = FirstMissing(functions)) {
        return BindingFailure{.kind = BindingFailure::Kind::export_not_found,
                              .file = {},
                              .export_name = *missing,
                              .reason = {}};
    }
    return TavikAlgBinding(functions);
}

} // namespace orvelin
