// ISO/IEC 9797-1 MAC algorithms 1 and 3: the standard's worked examples,
// every cipher and padding against a composition of OpenSSL's primitives,
// the refusals, and the self-check against a library that lies.
#include "byte_ops.h"
#include "card_messages.h"
#include "card_test_support.h"
#include "mac.h"
#include "random_bytes.h"
#include "vector_files.h"

namespace card_tests {
namespace {

using orvelin::card::kCardAes;
using orvelin::card::kCardDes;
using orvelin::card::kCardThreeKeyTdes;
using orvelin::card::kCardTwoKeyTdes;
using orvelin::card::Mac;
using orvelin::card::MacAlgorithm;
using orvelin::card::MacRequest;
using orvelin::card::PaddingMethod;
using testing_support::from_hex;
using testing_support::RandomBytes;
using testing_support::slice;
namespace msg = orvelin::card::messages;

MacAlgorithm AlgorithmNamed(const std::string& number) {
    return number == "3" ? MacAlgorithm::retail : MacAlgorithm::cbc_mac;
}

TEST(Mac, PublishedExamples) {
    const std::string file = "card/padding_mac.txt";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    const auto records = testing_support::read_records(file);
    ASSERT_EQ(records.size(), 3U);
    for (const auto& record : records) {
        const Bytes key = from_hex(record.at("KEY"));
        const Bytes data = from_hex(record.at("DATA"));
        MacRequest request{.algorithm = AlgorithmNamed(record.at("ALGORITHM")),
                           .padding = static_cast<PaddingMethod>(std::stoi(record.at("PADDING"))),
                           .key = key,
                           .data = data,
                           .length = std::stoul(record.at("LENGTH"))};
        if (record.fields.contains("CIPHER")) {
            request.cipher = CipherNamed(record.at("CIPHER"));
        }
        const CardResult& result = Done(Mac(Library(), request));
        ASSERT_EQ(result.values.size(), 1U) << record.at("SOURCE");
        EXPECT_EQ(result.values[0].bytes, from_hex(record.at("MAC"))) << record.at("SOURCE");
        EXPECT_FALSE(result.check_failure) << *result.check_failure;
    }
}

// The oracle: OpenSSL's CBC over the padded data, then for algorithm 3 the
// last block decrypted under K' and encrypted under K.
Bytes OracleMac(const MacRequest& request, const Bytes& padded, const Bytes& iv) {
    const bool retail = request.algorithm == MacAlgorithm::retail;
    const CipherModel cipher = retail ? kCardDes : request.cipher.value_or(kCardDes);
    const Bytes key(request.key.begin(), request.key.end());
    const Bytes k = retail ? slice(key, 0, 8) : key;
    const Bytes chained = OpenSslEncrypt(cipher, k, iv, padded);
    Bytes last = slice(chained, chained.size() - iv.size(), iv.size());
    if (retail) {
        last = OpenSslEncrypt(kCardDes, k, {}, OpenSslDecrypt(kCardDes, slice(key, 8, 8), last));
    }
    return last;
}

TEST(Mac, EveryCipherAndPaddingAgreesWithOpenSsl) {
    RandomBytes random;
    struct Form {
        MacAlgorithm algorithm;
        std::optional<CipherModel> cipher;
        std::size_t key_size;
        std::size_t block;
    };
    const Form forms[] = {
        {MacAlgorithm::cbc_mac, std::nullopt, 8, 8},
        {MacAlgorithm::cbc_mac, kCardTwoKeyTdes, 16, 8},
        {MacAlgorithm::cbc_mac, kCardThreeKeyTdes, 24, 8},
        {MacAlgorithm::cbc_mac, kCardAes, 16, 16},
        {MacAlgorithm::retail, std::nullopt, 16, 8},
    };
    for (const auto& form : forms) {
        for (const auto padding :
             {PaddingMethod::zeros, PaddingMethod::mark_then_zeros, PaddingMethod::length_block}) {
            for (const std::size_t size :
                 {std::size_t{0}, form.block - 1, form.block, 3 * form.block + 1}) {
                const Bytes key = random(form.key_size);
                const Bytes data = random(size);
                const Bytes iv = size % 2 == 0 ? Bytes(form.block) : random(form.block);
                const MacRequest request{.algorithm = form.algorithm,
                                         .cipher = form.cipher,
                                         .padding = padding,
                                         .key = key,
                                         .iv = iv,
                                         .data = data};
                const CardResult& result = Done(Mac(Library(), request));
                const Bytes padded = StepNamed(result, "padded data");
                ASSERT_EQ(padded,
                          std::get<Bytes>(orvelin::card::PadData(data, padding, form.block)));
                EXPECT_EQ(result.values.at(0).bytes, OracleMac(request, padded, iv))
                    << static_cast<int>(form.algorithm) << " " << size;
                EXPECT_FALSE(result.check_failure);
            }
        }
    }
}

TEST(Mac, Refusals) {
    const Bytes k8(8), k16(16), data(8);
    struct Refused {
        MacRequest request;
        std::string message;
    };
    const Refused cases[] = {
        {{.key = k16, .data = data}, msg::KeyLength(8)},
        {{.cipher = kCardThreeKeyTdes, .key = k16, .data = data}, msg::KeyLength(24)},
        {{.algorithm = MacAlgorithm::retail, .key = k8, .data = data}, msg::KeyLength(16)},
        {{.algorithm = MacAlgorithm::retail, .cipher = kCardDes, .key = k16, .data = data},
         std::string(msg::kRetailTakesNoCipher)},
        {{.cipher = kCardAes, .key = k16, .iv = k8, .data = data}, msg::IvLength(16)},
        {{.key = k8, .data = data, .length = 3}, msg::LengthOutOfRange("MAC length", 4, 8)},
        {{.cipher = kCardAes, .key = k16, .data = data, .length = 17},
         msg::LengthOutOfRange("MAC length", 4, 16)},
        {{.algorithm = static_cast<MacAlgorithm>(2), .key = k8, .data = data},
         std::string(msg::kUnknownMacAlgorithm)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefusalOf(Mac(Library(), c.request)), c.message);
    }
    const Bytes too_long(orvelin::card::kMaxCardData + 1);
    EXPECT_EQ(RefusalOf(Mac(Library(), {.key = k8, .data = too_long})),
              msg::DataTooLong(orvelin::card::kMaxCardData));
}

// The steps come from the block exports alone, so the value stays right; the
// disagreement with the whole-message export is what the result reports.
TEST(Mac, SelfCheckCatchesAWrongWholeMessageExport) {
    const Bytes key = from_hex("0123456789ABCDEFFEDCBA9876543210");
    const Bytes des_key = slice(key, 0, 8);
    const Bytes three_key = testing_support::join({key, des_key});
    const Bytes data(24, 0x5A), one_block(5, 0x5A);
    const struct {
        MacRequest request;
        const char* export_name;
    } cases[] = {
        {{.key = des_key, .data = data}, "EnOrDecrypt_DES_CBC"},
        {{.cipher = kCardTwoKeyTdes, .key = key, .data = data}, "EnOrDecrypt_3DES_CBC"},
        {{.cipher = kCardThreeKeyTdes, .key = three_key, .data = data},
         "EnOrDecrypt_3DES_3KEY_CBC"},
        {{.cipher = kCardAes, .key = key, .data = data}, "AES_EncryptCBC"},
        {{.algorithm = MacAlgorithm::retail, .key = key, .data = data}, "EnOrDecrypt_DES_CBC"},
        {{.algorithm = MacAlgorithm::retail,
          .padding = PaddingMethod::mark_then_zeros,
          .key = key,
          .data = one_block},
         "EnOrDecrypt_DES_CBC"},
    };
    for (const auto& c : cases) {
        const CardResult& real = Done(Mac(Library(), c.request));
        const CardResult& skewed = Done(Mac(SkewedLibrary(), c.request));
        EXPECT_FALSE(real.check_failure);
        ASSERT_TRUE(skewed.check_failure) << c.export_name;
        EXPECT_NE(skewed.check_failure->find(c.export_name), std::string::npos)
            << *skewed.check_failure;
        EXPECT_EQ(skewed.values.at(0).bytes, real.values.at(0).bytes);
    }
}

} // namespace
} // namespace card_tests
