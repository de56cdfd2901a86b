// The invariants the library's header states, one check per family of
// exports; each traps when one fails.
#ifndef ORVELIN_FUZZ_CONTRACT_CHECKS_H
#define ORVELIN_FUZZ_CONTRACT_CHECKS_H

#include "cipher_case.h"

namespace orvelin::fuzz {

void CheckDesBlock(const CipherCase& c);
void CheckDesEcb(const CipherCase& c);
void CheckDesCbc(const CipherCase& c);
void CheckTdesCmac(const CipherCase& c);
void CheckAesKeyExpansion(const CipherCase& c);
void CheckAesBlock(const CipherCase& c);
void CheckAesCbc(const CipherCase& c);
void CheckAesCmac(const CipherCase& c);

} // namespace orvelin::fuzz

#endif
