// What the card-practice tests share: the bound library (the real one, the
// skewed build whose whole-message exports lie, or the failing build whose
// exports fail on request), reading an outcome, and OpenSSL's primitives as
// an independent oracle.
#ifndef ORVELIN_TESTS_CARD_TEST_SUPPORT_H
#define ORVELIN_TESTS_CARD_TEST_SUPPORT_H

#include "block_cipher.h"
#include "card_result.h"
#include "hex.h"

#include <gtest/gtest.h>

#include <string>

namespace card_tests {

using orvelin::CipherModel;
using orvelin::card::Bytes;
using orvelin::card::CardOutcome;
using orvelin::card::CardResult;

const orvelin::TavikAlgBinding& Library();
const orvelin::TavikAlgBinding& SkewedLibrary();
// An export fails when the key it reads starts with 0xF0 plus the export's
// place in the header's list (failing_library.cpp).
const orvelin::TavikAlgBinding& FailingLibrary();

// "des", "2tdes", "3tdes", "aes" as the data files name them.
CipherModel CipherNamed(const std::string& name);

// A copy of the result, or a failure naming the refusal (and an empty result).
CardResult Done(const CardOutcome& outcome);
// The refusal's message, or a failure when the operation was done.
std::string RefusalOf(const CardOutcome& outcome);
// The bytes of the step with this label, or empty when there is none.
Bytes StepNamed(const CardResult& result, const std::string& label);

// OpenSSL: one cipher over whole blocks without padding, CBC from `iv` or
// ECB without one. Single DES and two-key keys run as three-key EDE.
Bytes OpenSslEncrypt(const CipherModel& cipher, const Bytes& key, const Bytes& iv,
                     const Bytes& data);
Bytes OpenSslDecrypt(const CipherModel& cipher, const Bytes& key, const Bytes& data);
// OpenSSL's CMAC (zero IV, full block).
Bytes OpenSslCmac(const CipherModel& cipher, const Bytes& key, const Bytes& message);

} // namespace card_tests

#endif
