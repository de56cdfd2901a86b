// The binding table: the cipher library's fifteen exports as typed callable
// entries. The program loads the library by file name and binds the exports
// by name; a build without a loader binds the functions linked into it.
// Every operation reaches the library through one of these tables.
#ifndef ORVELIN_TAVIK_ALG_BINDING_H
#define ORVELIN_TAVIK_ALG_BINDING_H

#include "library_loader.h"
#include "tavik_alg.h"

#include <string>
#include <string_view>
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
    explicit BoundFunction(Pointer function) : function_(function) {}

    Result operator()(Args... args) const noexcept { return function_(args...); }

  private:
    Pointer function_;
};

// The fifteen functions by the header's names and types, for a binding made
// from functions the program holds rather than from a loaded file.
struct TavikAlgFunctions {
#define ORVELIN_FUNCTION_ENTRY(name) decltype(&::name) name = nullptr;
    TAVIK_ALG_EXPORTS(ORVELIN_FUNCTION_ENTRY)
#undef ORVELIN_FUNCTION_ENTRY
};

// What could not be bound. The window shows Message() alone; tavik adds the
// file and the loader's reason.
struct BindingFailure {
    enum class Kind { library_not_loaded, export_not_found };

    Kind kind = Kind::library_not_loaded;
    // The file the loader was given; empty for a table of functions.
    std::string file;
    // The export the binding stopped at: the first one, lib_ver, when the
    // file itself could not be loaded.
    std::string_view export_name;
    // As the loader said it at the failing call; empty for a table of
    // functions.
    platform::LoaderError reason;

    // "Load TAVIK_ALG.DLL failed! func<NAME> cann't be load!"
    std::string Message() const;
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

    // Binds the given functions, with no module; a null entry fails as the
    // first missing export would.
    static BindingResult FromFunctions(const TavikAlgFunctions& functions);

    // The fifteen functions linked into the program. Only the
    // orvelin_core_linked target, which links the library itself, defines
    // it (linked_tavik_alg.cpp).
    static TavikAlgBinding FromLinked();

    // Null for a binding made from functions.
    const platform::ModuleHandle module;

#define ORVELIN_BOUND_ENTRY(name) const BoundFunction<decltype(::name)> name;
    TAVIK_ALG_EXPORTS(ORVELIN_BOUND_ENTRY)
#undef ORVELIN_BOUND_ENTRY

  private:
    class Binder;
    explicit TavikAlgBinding(Binder& binder);
    explicit TavikAlgBinding(const TavikAlgFunctions& functions);
};

} // namespace orvelin

#endif
