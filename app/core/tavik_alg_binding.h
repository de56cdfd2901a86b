// The binding table: the cipher library loaded by file name and its fifteen
// exports bound by name into typed callable entries. The program never links
// the library; every operation reaches it through one of these tables.
#ifndef ORVELIN_TAVIK_ALG_BINDING_H
#define ORVELIN_TAVIK_ALG_BINDING_H

#include "library_loader.h"
#include "tavik_alg.h"

#include <functional>
#include <string>

namespace orvelin {

// The library's file name as the program knows it.
inline constexpr const char* kTavikAlgFileName = "TAVIK_ALG.dll";

// The exit status of a failed binding.
inline constexpr int kBindingFailureStatus = -1;

// Shows one message and returns when the operator has closed it.
using ShowMessage = std::function<void(const std::string&)>;

// "Load TAVIK_ALG.DLL failed! func<NAME> cann't be load!"
std::string BindingFailureMessage(const char* export_name);

// One entry: the address found for an export, called with exactly the
// export's parameter list.
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

// The eight parameter lists; entries that share one are typed alike.
using VersionFunction = decltype(::lib_ver);
using DesBlockFunction = decltype(::EnOrDecrypt_DES);
using TripleDesFunction = decltype(::EnOrDecrypt_3DES);
using DesCbcFunction = decltype(::EnOrDecrypt_DES_CBC);
using CmacFunction = decltype(::AES_CMAC);
using ExpandKeyFunction = decltype(::AES_ExpandKey);
using AesBlockFunction = decltype(::AES_Encrypt);
using AesCbcFunction = decltype(::AES_DecryptCBC);
// AES_EncryptCBC writes into its input, so its first pointer is not const.
using AesEncryptCbcFunction = decltype(::AES_EncryptCBC);

class TavikAlgBinding {
  public:
    // Loads the library and binds every entry in declaration order. On the
    // first export that cannot be found it shows the failure message through
    // `show_message` and ends the process with kBindingFailureStatus.
    TavikAlgBinding(const char* file_name, const ShowMessage& show_message);

    const platform::ModuleHandle module;

    const BoundFunction<VersionFunction> lib_ver;
    const BoundFunction<DesBlockFunction> EnOrDecrypt_DES;
    const BoundFunction<TripleDesFunction> EnOrDecrypt_3DES;
    const BoundFunction<TripleDesFunction> EnOrDecrypt_3DES_3KEY;
    const BoundFunction<DesCbcFunction> EnOrDecrypt_DES_CBC;
    const BoundFunction<DesCbcFunction> EnOrDecrypt_3DES_CBC;
    const BoundFunction<DesCbcFunction> EnOrDecrypt_3DES_3KEY_CBC;
    const BoundFunction<CmacFunction> TDES_CMAC;
    const BoundFunction<CmacFunction> TDES_3KEY_CMAC;
    const BoundFunction<ExpandKeyFunction> AES_ExpandKey;
    const BoundFunction<AesBlockFunction> AES_Encrypt;
    const BoundFunction<AesBlockFunction> AES_Decrypt;
    const BoundFunction<AesEncryptCbcFunction> AES_EncryptCBC;
    const BoundFunction<AesCbcFunction> AES_DecryptCBC;
    const BoundFunction<CmacFunction> AES_CMAC;
};

} // namespace orvelin

#endif
