#include "tavik_alg_binding.h"

#include <cstdlib>

namespace orvelin {
namespace {

// Bind by name: the export's address, or the failure message and the end of
// the process. Never returns without an address.
void* BindByName(platform::ModuleHandle module, const char* name, const ShowMessage& show_message) {
    void* const address = platform::GetProcAddress(module, name);
    if (address == nullptr) {
        show_message(BindingFailureMessage(name));
        std::exit(kBindingFailureStatus);
    }
    return address;
}

} // namespace

std::string BindingFailureMessage(const char* export_name) {
    return "Load TAVIK_ALG.DLL failed! func<" + std::string(export_name) + "> cann't be load!";
}

// Members are initialised in declaration order, which is the binding order.
TavikAlgBinding::TavikAlgBinding(const char* file_name, const ShowMessage& show_message)
    : module(platform::LoadLibraryA(file_name)),
      lib_ver(BindByName(module, "lib_ver", show_message)),
      EnOrDecrypt_DES(BindByName(module, "EnOrDecrypt_DES", show_message)),
      EnOrDecrypt_3DES(BindByName(module, "EnOrDecrypt_3DES", show_message)),
      EnOrDecrypt_3DES_3KEY(BindByName(module, "EnOrDecrypt_3DES_3KEY", show_message)),
      EnOrDecrypt_DES_CBC(BindByName(module, "EnOrDecrypt_DES_CBC", show_message)),
      EnOrDecrypt_3DES_CBC(BindByName(module, "EnOrDecrypt_3DES_CBC", show_message)),
      EnOrDecrypt_3DES_3KEY_CBC(BindByName(module, "EnOrDecrypt_3DES_3KEY_CBC", show_message)),
      TDES_CMAC(BindByName(module, "TDES_CMAC", show_message)),
      TDES_3KEY_CMAC(BindByName(module, "TDES_3KEY_CMAC", show_message)),
      AES_ExpandKey(BindByName(module, "AES_ExpandKey", show_message)),
      AES_Encrypt(BindByName(module, "AES_Encrypt", show_message)),
      AES_Decrypt(BindByName(module, "AES_Decrypt", show_message)),
      AES_EncryptCBC(BindByName(module, "AES_EncryptCBC", show_message)),
      AES_DecryptCBC(BindByName(module, "AES_DecryptCBC", show_message)),
      AES_CMAC(BindByName(module, "AES_CMAC", show_message)) {}

} // namespace orvelin
