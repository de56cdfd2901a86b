// Every export with fuzzer-chosen arguments, inside and outside its contract,
// against the invariants its header states.
#include "cipher_case.h"
#include "contract_checks.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using orvelin::fuzz::Export;
using orvelin::fuzz::Require;

// The version through a pointer, and the refusal of none.
void CheckLibVer(const orvelin::fuzz::CipherCase& c) {
    if ((c.variation & 1U) != 0) {
        Require(lib_ver(nullptr) == TAVIK_NULL_VERSION);
        return;
    }
    const auto version = std::make_unique<std::uint32_t>(~TAVIK_ALG_VERSION);
    Require(lib_ver(version.get()) == TAVIK_DONE && *version == TAVIK_ALG_VERSION);
}

void Check(const orvelin::fuzz::CipherCase& c) {
    using namespace orvelin::fuzz;
    switch (c.function) {
    case Export::lib_ver:
        return CheckLibVer(c);
    case Export::EnOrDecrypt_DES:
        return CheckDesBlock(c);
    case Export::EnOrDecrypt_3DES:
    case Export::EnOrDecrypt_3DES_3KEY:
        return CheckDesEcb(c);
    case Export::EnOrDecrypt_DES_CBC:
    case Export::EnOrDecrypt_3DES_CBC:
    case Export::EnOrDecrypt_3DES_3KEY_CBC:
        return CheckDesCbc(c);
    case Export::TDES_CMAC:
    case Export::TDES_3KEY_CMAC:
        return CheckTdesCmac(c);
    case Export::AES_ExpandKey:
        return CheckAesKeyExpansion(c);
    case Export::AES_Encrypt:
    case Export::AES_Decrypt:
        return CheckAesBlock(c);
    case Export::AES_EncryptCBC:
    case Export::AES_DecryptCBC:
        return CheckAesCbc(c);
    case Export::AES_CMAC:
        return CheckAesCmac(c);
    case Export::count:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(orvelin::fuzz::Decode({data, size}));
    return 0;
}
