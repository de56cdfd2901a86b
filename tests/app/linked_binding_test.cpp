// The binding from functions: the library linked into this program, with a
// known answer through it.
#include "hex_text.h"
#include "linked_tavik_alg.h"
#include "messages.h"
#include "operations.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using orvelin::BindingFailure;
using orvelin::Cipher;
using orvelin::Outcome;
using orvelin::TavikAlgBinding;
using orvelin::TavikAlgFunctions;

std::string MessageOf(const Outcome& outcome) {
    const auto* refusal = std::get_if<orvelin::Refusal>(&outcome);
    return refusal != nullptr ? refusal->message : "<shown>";
}

TEST(LinkedBinding, RunsAKnownAnswerThroughTheLinkedLibrary) {
    const TavikAlgBinding linked = TavikAlgBinding::FromLinked();
    EXPECT_EQ(linked.module, nullptr);
    std::uint32_t version = 0;
    EXPECT_EQ(linked.lib_ver(&version), TAVIK_DONE);
    EXPECT_EQ(version, TAVIK_ALG_VERSION);
    // FIPS 81's ECB example.
    const Outcome outcome = orvelin::Encrypt(linked, {"0123456789ABCDEF", "", "4E6F772069732074"},
                                             {.cipher = Cipher::des});
    ASSERT_TRUE(std::holds_alternative<orvelin::Shown>(outcome)) << MessageOf(outcome);
    EXPECT_EQ(orvelin::WriteHex(*std::get<orvelin::Shown>(outcome).data_out), "3FA40E8A984D4815");
}

TEST(LinkedBinding, ANullFunctionFailsAsAMissingExport) {
    TavikAlgFunctions functions = orvelin::LinkedTavikAlgFunctions();
    functions.AES_CMAC = nullptr;
    const auto result = TavikAlgBinding::FromFunctions(functions);
    const auto* failure = std::get_if<BindingFailure>(&result);
    ASSERT_NE(failure, nullptr);
    EXPECT_EQ(failure->kind, BindingFailure::Kind::export_not_found);
    EXPECT_EQ(failure->Message(), orvelin::messages::BindingFailure("AES_CMAC"));
}

} // namespace
