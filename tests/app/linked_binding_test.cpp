// The binding from functions: the library linked into this program, with a
// known answer through it, and tables in which stand-ins that fail take an
// export's place, for the library's results and the cipher model's
// preconditions.
#include "cipher_model.h"
#include "export_result.h"
#include "field_reading.h"
#include "hex_text.h"
#include "linked_tavik_alg.h"
#include "messages.h"
#include "operations.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using orvelin::BindingFailure;
using orvelin::Bytes;
using orvelin::Cipher;
using orvelin::CipherChoice;
using orvelin::Direction;
using orvelin::Export;
using orvelin::Outcome;
using orvelin::TavikAlgBinding;
using orvelin::TavikAlgFunctions;

constexpr std::int32_t kFailed = TAVIK_LENGTH_NOT_MULTIPLE_OF_8;

// Writes nothing and returns kFailed, whatever it is given.
template <typename Signature>
struct Failing;

template <typename... Args>
struct Failing<std::int32_t(Args...) noexcept> {
    static std::int32_t Call(Args...) noexcept { return kFailed; }
};

// The linked functions, with the stand-in in place of `which`, or of every
// export when none is named.
TavikAlgFunctions FailingAt(std::optional<Export> which) {
    TavikAlgFunctions functions = orvelin::LinkedTavikAlgFunctions();
#define ORVELIN_FAIL_AT(name)                                                                      \
    if (!which || which == Export::name) {                                                         \
        functions.name = &Failing<decltype(::name)>::Call;                                         \
    }
    TAVIK_ALG_EXPORTS(ORVELIN_FAIL_AT)
#undef ORVELIN_FAIL_AT
    return functions;
}

TavikAlgBinding Bound(const TavikAlgFunctions& functions) {
    return std::get<TavikAlgBinding>(TavikAlgBinding::FromFunctions(functions));
}

std::string MessageOf(const orvelin::OrFailure<Bytes>& result) {
    const auto* failure = std::get_if<orvelin::RouteFailure>(&result);
    return failure != nullptr ? orvelin::RefusalOf(*failure).message : "<done>";
}

std::string MessageOf(const Outcome& outcome) {
    const auto* refusal = std::get_if<orvelin::Refusal>(&outcome);
    return refusal != nullptr ? refusal->message : "<shown>";
}

std::string MessageOf(const std::optional<orvelin::RouteFailure>& failure) {
    return failure ? orvelin::RefusalOf(*failure).message : "<done>";
}

constexpr CipherChoice Ecb(Cipher cipher) {
    return {.cipher = cipher, .chaining = orvelin::Chaining::ecb};
}
constexpr CipherChoice Cbc(Cipher cipher) {
    return {.cipher = cipher, .chaining = orvelin::Chaining::cbc};
}

// A key and an IV of the cipher's sizes, and 32 bytes of data.
orvelin::Fields FieldsFor(Cipher cipher) {
    const orvelin::CipherModel model{cipher};
    return {std::string(2 * model.key_size(), '1'), std::string(2 * model.block_size(), '2'),
            std::string(64, '3')};
}

TEST(LinkedBinding, RunsAKnownAnswerThroughTheLinkedLibrary) {
    const TavikAlgBinding linked = TavikAlgBinding::FromLinked();
    EXPECT_EQ(linked.module, nullptr);
    std::uint32_t version = 0;
    EXPECT_EQ(linked.lib_ver(&version), TAVIK_DONE);
    EXPECT_EQ(version, TAVIK_ALG_VERSION);
    // FIPS 81's ECB example.
    const Outcome outcome =
        orvelin::Encrypt(linked, {"0123456789ABCDEF", "", "4E6F772069732074"}, Ecb(Cipher::des));
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

// Each export the operations call, failing: the press is refused naming it,
// and nothing it may have written is shown.
TEST(LibraryResults, AnExportThatFailsRefusesThePressNamingIt) {
    using Press = std::function<Outcome(const TavikAlgBinding&)>;
    const auto cipher = [](Direction direction, CipherChoice choice) -> Press {
        return [=](const TavikAlgBinding& library) {
            return orvelin::EncryptOrDecrypt(library, direction, FieldsFor(choice.cipher), choice);
        };
    };
    const auto cmac = [](Cipher which) -> Press {
        return [=](const TavikAlgBinding& library) {
            return orvelin::Cmac(library, which, FieldsFor(which));
        };
    };
    const Direction enc = Direction::encrypt;
    const Direction dec = Direction::decrypt;
    const struct {
        Export fails;
        Press press;
    } rows[] = {
        {Export::EnOrDecrypt_DES, cipher(enc, Ecb(Cipher::des))},
        {Export::EnOrDecrypt_3DES, cipher(dec, Ecb(Cipher::two_key_tdes))},
        {Export::EnOrDecrypt_3DES_3KEY, cipher(enc, Ecb(Cipher::three_key_tdes))},
        {Export::EnOrDecrypt_DES_CBC, cipher(dec, Cbc(Cipher::des))},
        {Export::EnOrDecrypt_3DES_CBC, cipher(enc, Cbc(Cipher::two_key_tdes))},
        {Export::EnOrDecrypt_3DES_3KEY_CBC, cipher(dec, Cbc(Cipher::three_key_tdes))},
        {Export::AES_ExpandKey, cipher(enc, Ecb(Cipher::aes))},
        {Export::AES_Encrypt, cipher(enc, Ecb(Cipher::aes))},
        {Export::AES_Decrypt, cipher(dec, Ecb(Cipher::aes))},
        {Export::AES_EncryptCBC, cipher(enc, Cbc(Cipher::aes))},
        {Export::AES_DecryptCBC, cipher(dec, Cbc(Cipher::aes))},
        {Export::TDES_CMAC, cmac(Cipher::two_key_tdes)},
        {Export::TDES_3KEY_CMAC, cmac(Cipher::three_key_tdes)},
        {Export::AES_CMAC, cmac(Cipher::aes)},
    };
    const TavikAlgBinding linked = TavikAlgBinding::FromLinked();
    for (const auto& row : rows) {
        const std::string_view name = orvelin::ExportName(row.fails);
        EXPECT_EQ(MessageOf(row.press(linked)), "<shown>") << name;
        EXPECT_EQ(MessageOf(row.press(Bound(FailingAt(row.fails)))),
                  orvelin::messages::ExportResult(name, kFailed));
    }
    EXPECT_EQ(orvelin::messages::ExportResult("EnOrDecrypt_3DES_CBC", -5),
              "EnOrDecrypt_3DES_CBC returned -5.");
}

// Every precondition of the model's routes refuses before any export is
// called: here each export would fail, and so name itself.
TEST(ModelContracts, EachBrokenPreconditionIsRefusedByName) {
    const TavikAlgBinding failing = Bound(FailingAt(std::nullopt));
    const auto route = [&](CipherChoice choice, std::size_t key, std::size_t iv, std::size_t data) {
        Bytes in_place(data);
        return MessageOf(orvelin::RunRoute(failing, choice.model(), choice.chaining,
                                           Direction::encrypt, Bytes(key), Bytes(iv), in_place));
    };
    const auto cmac = [&](Cipher which, std::size_t key, std::size_t iv, std::size_t message) {
        return MessageOf(
            orvelin::RunCmacRoute(failing, {which}, Bytes(key), Bytes(iv), Bytes(message)));
    };
    const std::string no_cmac =
        "BoundCipher requires a cipher with a CMAC, which single DES is not.";
    const struct {
        std::string message;
        std::string expected;
    } rows[] = {
        {route(Ecb(Cipher::des), 7, 0, 8), "BoundCipher requires a key of 8 bytes."},
        {route(Ecb(Cipher::three_key_tdes), 16, 0, 8), "BoundCipher requires a key of 24 bytes."},
        {route(Cbc(Cipher::aes), 16, 0, 16),
         "AES_EncryptCBC requires an IV of one 16-byte block and whole blocks."},
        {route(Ecb(Cipher::des), 8, 0, 7), "EnOrDecrypt_DES requires whole 8-byte blocks."},
        {route(Ecb(Cipher::aes), 16, 0, 65536), "AES_Encrypt requires at most 65520 bytes."},
        {route(Ecb(Cipher::two_key_tdes), 16, 0, 65544),
         "EnOrDecrypt_3DES requires at most 65536 bytes."},
        {cmac(Cipher::des, 8, 8, 8), no_cmac},
        {cmac(Cipher::aes, 8, 16, 8), "BoundCipher requires a key of 16 bytes."},
        {cmac(Cipher::two_key_tdes, 16, 16, 8),
         "TDES_CMAC requires an IV of 8 bytes and at most 512 bytes of message."},
        {cmac(Cipher::two_key_tdes, 16, 8, 513),
         "TDES_CMAC requires an IV of 8 bytes and at most 512 bytes of message."},
        {MessageOf(orvelin::Cmac(failing, Cipher::des, FieldsFor(Cipher::des))), no_cmac},
        // Within the contract, the failing export is reached.
        {cmac(Cipher::aes, 16, 16, 0), "AES_CMAC returned -5."},
        {route(Cbc(Cipher::aes), 16, 16, 0), "<done>"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.message, row.expected);
    }
    EXPECT_EQ(orvelin::CipherModel{Cipher::des}.CmacExport(), std::nullopt);
    EXPECT_EQ(orvelin::ExportName(orvelin::CipherModel{Cipher::des}.CmacExport()), "");
}

} // namespace
