// Key check values: the published values of one AES key by all four
// conventions, the DES family against OpenSSL, the refusals, and the
// self-check against a library that lies.
#include "byte_ops.h"
#include "card_messages.h"
#include "card_test_support.h"
#include "check_value.h"
#include "random_bytes.h"
#include "vector_files.h"

namespace card_tests {
namespace {

using orvelin::card::KcvMethod;
using orvelin::card::KcvRequest;
using orvelin::card::KeyCheckValue;
using testing_support::from_hex;
namespace msg = orvelin::card::messages;

KcvMethod MethodNamed(const std::string& name) {
    if (name == "gp") {
        return KcvMethod::ones_block;
    }
    if (name == "cmac") {
        return KcvMethod::cmac_zero_block;
    }
    return name == "cmac-empty" ? KcvMethod::cmac_empty : KcvMethod::zero_block;
}

TEST(CheckValue, PublishedValuesOfOneAesKey) {
    const std::string file = "card/kcv.txt";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    const auto records = testing_support::read_records(file);
    ASSERT_EQ(records.size(), 4U);
    for (const auto& record : records) {
        const Bytes key = from_hex(record.at("KEY"));
        const CardResult& result =
            Done(KeyCheckValue(Library(), {.cipher = CipherNamed(record.at("CIPHER")),
                                           .key = key,
                                           .method = MethodNamed(record.at("METHOD")),
                                           .length = std::stoul(record.at("LENGTH"))}));
        EXPECT_EQ(result.values.at(0).bytes, from_hex(record.at("KCV"))) << record.at("SOURCE");
        EXPECT_FALSE(result.check_failure);
    }
}

TEST(CheckValue, DefaultLengthsAndTheDesFamilyAgainstOpenSsl) {
    testing_support::RandomBytes random;
    const Bytes aes_key = random(16);
    const Bytes zero_block(16);
    EXPECT_EQ(
        Done(KeyCheckValue(Library(), {.cipher = orvelin::card::kCardAes,
                                       .key = aes_key,
                                       .method = KcvMethod::cmac_zero_block}))
            .values.at(0)
            .bytes,
        testing_support::slice(OpenSslCmac(orvelin::card::kCardAes, aes_key, zero_block), 0, 5));
    for (const auto& [cipher, key_size] :
         {std::pair{orvelin::card::kCardDes, 8U}, std::pair{orvelin::card::kCardTwoKeyTdes, 16U},
          std::pair{orvelin::card::kCardThreeKeyTdes, 24U}}) {
        const Bytes key = random(key_size);
        const CardResult& result = Done(KeyCheckValue(Library(), {.cipher = cipher, .key = key}));
        EXPECT_EQ(result.values.at(0).bytes,
                  testing_support::slice(OpenSslEncrypt(cipher, key, {}, Bytes(8)), 0, 3));
    }
}

TEST(CheckValue, Refusals) {
    const Bytes k8(8), k16(16);
    EXPECT_EQ(RefusalOf(KeyCheckValue(Library(), {.cipher = orvelin::card::kCardTwoKeyTdes,
                                                  .key = k16,
                                                  .method = KcvMethod::ones_block})),
              msg::kAesOnlyCheckValue);
    EXPECT_EQ(RefusalOf(KeyCheckValue(Library(), {.key = k8, .method = KcvMethod::cmac_empty})),
              msg::kAesOnlyCheckValue);
    EXPECT_FALSE(orvelin::card::KcvMethodFits(KcvMethod::cmac_zero_block, orvelin::card::kCardDes));
    EXPECT_EQ(RefusalOf(KeyCheckValue(Library(), {.cipher = orvelin::card::kCardAes, .key = k8})),
              msg::KeyLength(16));
    EXPECT_EQ(RefusalOf(KeyCheckValue(Library(), {.key = k8, .length = 0})),
              msg::LengthOutOfRange("Check value length", 1, 8));
    EXPECT_EQ(RefusalOf(KeyCheckValue(Library(), {.key = k8, .length = 9})),
              msg::LengthOutOfRange("Check value length", 1, 8));
}

TEST(CheckValue, SelfCheckCatchesAWrongWholeMessageExport) {
    const Bytes key = from_hex("48C3B4286FF421A4A328E68AD9E542A4");
    for (const auto& [method, export_name] : {std::pair{KcvMethod::zero_block, "AES_EncryptCBC"},
                                              std::pair{KcvMethod::ones_block, "AES_EncryptCBC"},
                                              std::pair{KcvMethod::cmac_zero_block, "AES_CMAC"},
                                              std::pair{KcvMethod::cmac_empty, "AES_CMAC"}}) {
        const KcvRequest request{.cipher = orvelin::card::kCardAes, .key = key, .method = method};
        const CardResult& skewed = Done(KeyCheckValue(SkewedLibrary(), request));
        ASSERT_TRUE(skewed.check_failure) << export_name;
        EXPECT_NE(skewed.check_failure->find(export_name), std::string::npos);
        EXPECT_EQ(skewed.values.at(0).bytes,
                  Done(KeyCheckValue(Library(), request)).values.at(0).bytes);
    }
}

} // namespace
} // namespace card_tests
