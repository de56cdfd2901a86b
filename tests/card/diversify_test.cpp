// AN10922 key diversification: the application notes' examples, every input
// length against a composition of OpenSSL's primitives (so both the padded
// and the unpadded last block, and the input that ends inside the first
// block), the refusals, and the self-check against a library that lies.
#include "byte_ops.h"
#include "card_messages.h"
#include "card_test_support.h"
#include "diversify.h"
#include "random_bytes.h"
#include "vector_files.h"

namespace card_tests {
namespace {

using orvelin::Cipher;
using orvelin::card::DiversifyKey;
using orvelin::card::kCardAes;
using orvelin::card::kCardThreeKeyTdes;
using orvelin::card::kCardTwoKeyTdes;
using testing_support::from_hex;
using testing_support::join;
using testing_support::slice;
using testing_support::xor_of;
namespace msg = orvelin::card::messages;

TEST(Diversify, ApplicationNoteExamples) {
    const std::string file = "card/an10922.txt";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    const auto records = testing_support::read_records(file);
    ASSERT_EQ(records.size(), 4U);
    for (const auto& record : records) {
        const Bytes master = from_hex(record.at("MASTER"));
        const Bytes m = from_hex(record.at("M"));
        const CardResult& result = Done(DiversifyKey(
            Library(),
            {.cipher = CipherNamed(record.at("CIPHER")), .master_key = master, .input = m}));
        EXPECT_EQ(result.values.at(0).bytes, from_hex(record.at("KEY"))) << record.at("SOURCE");
        EXPECT_FALSE(result.check_failure);
        for (const auto& [name, value] : record.fields) {
            if (name.starts_with("CMAC ")) {
                EXPECT_EQ(StepNamed(result, name), from_hex(value)) << name;
            }
        }
    }
}

// The note's computation from OpenSSL's block cipher: subkeys from the
// encrypted zero block, the input padded to the whole padded size, its last
// block masked with K2 when padded and K1 when not, CBC from zero.
Bytes OracleRun(const CipherModel& cipher, const Bytes& key, std::uint8_t constant, const Bytes& m,
                std::size_t padded_size) {
    const std::size_t block = cipher.cipher == Cipher::aes ? 16 : 8;
    const std::uint8_t rb = block == 16 ? 0x87 : 0x1B;
    const Bytes k1 =
        testing_support::cmac_double(OpenSslEncrypt(cipher, key, {}, Bytes(block)), rb);
    const Bytes k2 = testing_support::cmac_double(k1, rb);
    Bytes input = join({Bytes{constant}, m});
    const bool padded = input.size() < padded_size;
    if (padded) {
        input.push_back(0x80);
        input.resize(padded_size);
    }
    const Bytes last = xor_of(slice(input, padded_size - block, block), padded ? k2 : k1);
    const Bytes masked = join({slice(input, 0, padded_size - block), last});
    return slice(OpenSslEncrypt(cipher, key, Bytes(block), masked), padded_size - block, block);
}

Bytes OracleKey(const CipherModel& cipher, const Bytes& master, const Bytes& m) {
    switch (cipher.cipher) {
    case Cipher::two_key_tdes:
        return join(
            {OracleRun(cipher, master, 0x21, m, 16), OracleRun(cipher, master, 0x22, m, 16)});
    case Cipher::three_key_tdes:
        return join({OracleRun(cipher, master, 0x31, m, 16), OracleRun(cipher, master, 0x32, m, 16),
                     OracleRun(cipher, master, 0x33, m, 16)});
    default:
        return OracleRun(cipher, master, 0x01, m, 32);
    }
}

TEST(Diversify, EveryInputLengthAgreesWithOpenSsl) {
    testing_support::RandomBytes random;
    for (const auto& [cipher, key_size, longest] :
         {std::tuple{kCardAes, 16U, 31U}, std::tuple{kCardTwoKeyTdes, 16U, 15U},
          std::tuple{kCardThreeKeyTdes, 24U, 15U}}) {
        for (std::size_t size = 1; size <= longest; ++size) {
            const Bytes master = random(key_size);
            const Bytes m = random(size);
            const CardResult& result =
                Done(DiversifyKey(Library(), {.cipher = cipher, .master_key = master, .input = m}));
            Bytes expected = OracleKey(cipher, master, m);
            const Bytes& key = result.values.at(0).bytes;
            ASSERT_EQ(key.size(), expected.size());
            // Triple DES: the master key's version bits, the parity bits of its
            // first 8 bytes, replace the first 8 bytes' own; the rest is as
            // computed, for two- and three-key keys alike.
            if (cipher.cipher != Cipher::aes) {
                for (std::size_t i = 0; i < 8; ++i) {
                    expected[i] = static_cast<std::uint8_t>((expected[i] & 0xFE) | (master[i] & 1));
                }
            }
            EXPECT_EQ(key, expected) << size;
            EXPECT_FALSE(result.check_failure) << size << " " << *result.check_failure;
        }
    }
}

TEST(Diversify, Refusals) {
    const Bytes k8(8), k16(16), m(7), long_m(32);
    EXPECT_EQ(RefusalOf(DiversifyKey(
                  Library(), {.cipher = orvelin::card::kCardDes, .master_key = k8, .input = m})),
              msg::kNoDesDiversification);
    EXPECT_EQ(RefusalOf(DiversifyKey(Library(),
                                     {.cipher = kCardThreeKeyTdes, .master_key = k16, .input = m})),
              msg::KeyLength(24));
    EXPECT_EQ(
        RefusalOf(DiversifyKey(Library(), {.cipher = kCardAes, .master_key = k16, .input = {}})),
        msg::LengthOutOfRange("Diversification input", 1, 31));
    EXPECT_EQ(RefusalOf(DiversifyKey(Library(),
                                     {.cipher = kCardAes, .master_key = k16, .input = long_m})),
              msg::LengthOutOfRange("Diversification input", 1, 31));
    EXPECT_EQ(RefusalOf(DiversifyKey(Library(), {.cipher = kCardTwoKeyTdes,
                                                 .master_key = k16,
                                                 .input = std::span(long_m).first(16)})),
              msg::LengthOutOfRange("Diversification input", 1, 15));
}

// Both whole-message routes: the CMAC export alone (a long input), and the
// CBC export with the CMAC export (an input inside the first block).
TEST(Diversify, SelfCheckCatchesAWrongWholeMessageExport) {
    const Bytes master = from_hex("00112233445566778899AABBCCDDEEFF0102030405060708");
    const Bytes long_m(17, 0x42), short_m(3, 0x42), note_m(13, 0x42);
    const struct {
        CipherModel cipher;
        std::size_t key_size;
        const Bytes& m;
        const char* export_name;
    } cases[] = {
        {kCardAes, 16, long_m, "AES_CMAC"},
        {kCardAes, 16, short_m, "AES_CMAC"},
        {kCardTwoKeyTdes, 16, short_m, "TDES_CMAC"},
        {kCardThreeKeyTdes, 24, note_m, "TDES_3KEY_CMAC"},
    };
    for (const auto& c : cases) {
        const auto key = std::span(master).first(c.key_size);
        const orvelin::card::DiversifyRequest request{
            .cipher = c.cipher, .master_key = key, .input = c.m};
        const CardResult& skewed = Done(DiversifyKey(SkewedLibrary(), request));
        ASSERT_TRUE(skewed.check_failure) << c.export_name;
        EXPECT_NE(skewed.check_failure->find(c.export_name), std::string::npos);
        EXPECT_EQ(skewed.values.at(0).bytes,
                  Done(DiversifyKey(Library(), request)).values.at(0).bytes);
    }
}

} // namespace
} // namespace card_tests
