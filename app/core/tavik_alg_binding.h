// The binding table: the cipher library loaded by file name and its fifteen
// exports bound by name into typed callable entries. The program never links
// the library; every operation reaches it through one of these tables.
#ifndef ORVELIN_TAVIK_ALG_BINDING_H
#define ORVELIN_TAVIK_ALG_BINDING_H

#include "library_loader.h"
#include "tavik_alg.h"

#include <string>
#include <variant>

namespace orvelin {

// The library's file name as the program knows it.
inline constexpr const char* kTavikAlgFileName = "TAVIK_ALG.dll";

// One entry: the address found for an export, called with exactly the
// export's parameter list, which the header's declaration gives.
template <typename Signature>
class BoundFunction;

template <typename Result, typename... Args>
class BoundFunction<Result(Args...) noexcept> {
  public:
    using Pointer = Result (*)(Args...) noexcept;

    explicit BoundFunction(void* address) : function_(reinterpret_cast<Pointer>(address)) {}

    Result operator()(Args... args) const noexcept { return function_(args...); }

  private:
    Pointer function_;
};

// The message of the first export that could not be bound.
struct BindingFailure {
    std::string message;
};

class TavikAlgBinding;
using BindingResult = std::variant<TavikAlgBinding, BindingFailure>;

class TavikAlgBinding {
  public:
    // Loads the library and binds every entry in the header's order. The
    // first export that cannot be found ends the binding: later ones are
    // never looked up, and the failure names it (lib_ver when the load
    // itself failed).
    static BindingResult Bind(const char* file_name);

    const platform::ModuleHandle module;

#define ORVELIN_BOUND_ENTRY(name) const BoundFunction<decltype(::name)> name;
    TAVIK_ALG_EXPORTS(ORVELIN_BOUND_ENTRY)
#undef ORVELIN_BOUND_ENTRY

  private:
    class Binder;
    explicit TavikAlgBinding(Binder& binder);
};

} // namespace orvelin

#endif
