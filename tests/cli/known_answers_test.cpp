// Known answers from the standards for every command that computes one.
#include "cli_expect.h"
#include "vector_files.h"

namespace tavik_tests {
namespace {

using testing_support::read_records;
using testing_support::Record;

// FIPS 46-3's worked example and FIPS 81's CBC example: "Now is the time for all ".
constexpr const char* kDesKey = "0123456789ABCDEF";
constexpr const char* kNowIsT = "4E6F772069732074";
constexpr const char* kNowIsTCipher = "3FA40E8A984D4815";
constexpr const char* kFips81Iv = "1234567890ABCDEF";
constexpr const char* kFips81Plain = "4E6F77206973207468652074696D6520666F7220616C6C20";
constexpr const char* kFips81Cipher = "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6";

// SP 800-38A F.1 and F.2, AES-128.
constexpr const char* kAesKey = "2B7E151628AED2A6ABF7158809CF4F3C";
constexpr const char* kAesIv = "000102030405060708090A0B0C0D0E0F";
constexpr const char* kAesPlain =
    "6BC1BEE22E409F96E93D7E117393172A AE2D8A571E03AC9C9EB76FAC45AF8E51 "
    "30C81C46A35CE411E5FBC1191A0A52EF F69F2445DF4F9B17AD2B417BE66C3710";
constexpr const char* kAesEcbCipher =
    "3AD77BB40D7A3660A89ECAF32466EF97F5D3D58503B9699DE785895A96FDBAAF"
    "43B1CD7F598ECE23881B00E3ED0306887B0C785E27E8AD3F8223207104725DD4";
constexpr const char* kAesCbcCipher =
    "7649ABAC8119B246CEE98E9B12E9197D5086CB9B507219EE95DB113A917678B2"
    "73BED6B8E3C1743B7116E69E222295163FF1CAA1681FAC09120ECA307586E1A7";

std::string NoSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

TEST(KnownAnswers, SingleDesEcbAndCbc) {
    EXPECT_TRUE(Printed(RunTavik({"encrypt", "--cipher", "des", "--key", kDesKey, kNowIsT}),
                        {kNowIsTCipher}));
    EXPECT_TRUE(Printed(RunTavik({"decrypt", "--cipher", "des", "--key", kDesKey, kNowIsTCipher}),
                        {kNowIsT}));
    EXPECT_TRUE(Printed(RunTavik({"encrypt", "--cipher", "des", "--cbc", "--iv", kFips81Iv, "--key",
                                  kDesKey, kFips81Plain}),
                        {kFips81Cipher}));
    EXPECT_TRUE(Printed(RunTavik({"decrypt", "--cipher", "des", "--cbc", "--iv", kFips81Iv, "--key",
                                  kDesKey, kFips81Cipher}),
                        {kFips81Plain}));
}

TEST(KnownAnswers, AesEcbAndCbc) {
    EXPECT_TRUE(Printed(RunTavik({"encrypt", "--cipher", "aes", "--key", kAesKey, kAesPlain}),
                        {kAesEcbCipher}));
    EXPECT_TRUE(Printed(RunTavik({"decrypt", "--cipher", "aes", "--key", kAesKey, kAesEcbCipher}),
                        {NoSpaces(kAesPlain)}));
    EXPECT_TRUE(Printed(RunTavik({"encrypt", "--cipher", "aes", "--cbc", "--iv", kAesIv, "--key",
                                  kAesKey, kAesPlain}),
                        {kAesCbcCipher}));
    EXPECT_TRUE(Printed(RunTavik({"decrypt", "--cipher", "aes", "--cbc", "--iv", kAesIv, "--key",
                                  kAesKey, kAesCbcCipher}),
                        {NoSpaces(kAesPlain)}));
}

// The key as tavik takes it: K1|K2 when K3 = K1, else K1|K2|K3.
std::pair<std::string, std::string> TripleDesKey(const Record& record) {
    const std::string k1 = record.at("KEY1");
    const std::string k3 = record.at("KEY3");
    if (k3 == k1) {
        return {"2tdes", k1 + record.at("KEY2")};
    }
    return {"3tdes", k1 + record.at("KEY2") + k3};
}

// Every record of a NIST multi-block file, through encrypt or decrypt.
void ExpectTripleDesFile(const std::string& file, bool cbc) {
    ASSERT_TRUE(testing_support::vector_file_present(file));
    for (const Record& record : read_records(file)) {
        const bool encrypt = record.section == "ENCRYPT";
        const auto [cipher, key] = TripleDesKey(record);
        std::vector<std::string> arguments{encrypt ? "encrypt" : "decrypt", "--cipher", cipher,
                                           "--key", key};
        if (cbc) {
            arguments.insert(arguments.end(), {"--cbc", "--iv", record.at("IV")});
        }
        arguments.push_back(record.at(encrypt ? "PLAINTEXT" : "CIPHERTEXT"));
        EXPECT_TRUE(
            Printed(RunTavik(arguments), {Upper(record.at(encrypt ? "CIPHERTEXT" : "PLAINTEXT"))}))
            << file << " line " << record.line;
    }
}

TEST(KnownAnswers, TripleDesNistMultiBlockFiles) {
    ExpectTripleDesFile("tdes/TECBMMT2.rsp", false);
    ExpectTripleDesFile("tdes/TECBMMT3.rsp", false);
    ExpectTripleDesFile("tdes/TCBCMMT2.rsp", true);
    ExpectTripleDesFile("tdes/TCBCMMT3.rsp", true);
}

// SP 800-38B's TDEA examples: COUNT 0-3 three-key, 4-7 two-key.
TEST(KnownAnswers, TripleDesCmacExamples) {
    const std::string file = "cmac/nist-800-38b-3des.txt";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    for (const Record& record : read_records(file)) {
        const auto [cipher, key] = TripleDesKey(record);
        EXPECT_TRUE(
            Printed(RunTavik({"cmac", "--cipher", cipher, "--key", key, record.at("MESSAGE")}),
                    {Upper(record.at("OUTPUT"))}))
            << "COUNT " << record.at("COUNT");
    }
}

// The window's AES CMAC field: bytes 1, 3, ..., 15.
std::string OddBytes(const std::string& hex) {
    std::string odd;
    for (std::size_t i = 2; i < hex.size(); i += 4) {
        odd += hex.substr(i, 2);
    }
    return odd;
}

TEST(KnownAnswers, Rfc4493AesCmacWithTheWindowsShortForm) {
    const std::string file = "cmac/rfc4493-aes128.txt";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    for (const Record& record : read_records(file)) {
        const std::string mac = Upper(record.at("OUTPUT"));
        EXPECT_TRUE(Printed(
            RunTavik({"cmac", "--cipher", "aes", "--key", record.at("KEY"), record.at("MESSAGE")}),
            {mac, OddBytes(mac)}))
            << "COUNT " << record.at("COUNT");
    }
}

TEST(KnownAnswers, CmacIvGivenAsZerosEqualsTheDefault) {
    const auto with_iv = RunTavik({"cmac", "--cipher", "aes", "--key", kAesKey, "--iv",
                                   "00000000000000000000000000000000", "6BC1BEE22E409F96"});
    const auto without =
        RunTavik({"cmac", "--cipher", "aes", "--key", kAesKey, "6BC1BEE22E409F96"});
    EXPECT_TRUE(Printed(with_iv, without.Lines()));
}

// ISO/IEC 14443-3's CRC_A check value 0xBF05 and CRC-32's 0xCBF43926, whose
// register before the final complement is 0x340BC6D9, over "123456789".
TEST(KnownAnswers, ChecksumsLeastSignificantByteFirst) {
    const std::string digits = "313233343536373839";
    EXPECT_TRUE(Printed(RunTavik({"crc16", digits}), {"05BF"}));
    EXPECT_TRUE(Printed(RunTavik({"crc32", digits}), {"D9C60B34"}));
    // Nothing read: the starting registers.
    EXPECT_TRUE(Printed(RunTavik({"crc16", ""}), {"6363"}));
    EXPECT_TRUE(Printed(RunTavik({"crc32", ""}), {"FFFFFFFF"}));
}

TEST(KnownAnswers, XorOverTheShorterArgument) {
    EXPECT_TRUE(Printed(RunTavik({"xor", "FF00 F0", "0FF0AB 77"}), {"F0F05B"}));
    EXPECT_TRUE(
        Printed(RunTavik({"xor", "0123456789ABCDEF", "0123456789ABCDEF"}), {"0000000000000000"}));
    EXPECT_TRUE(Printed(RunTavik({"xor", "", "0102"}), {""}));
}

TEST(Output, SpacedAndLowerCaseInput) {
    EXPECT_TRUE(Printed(RunTavik({"--spaced", "encrypt", "--cipher", "des", "--key",
                                  "01 23 45 67 89 ab cd ef", "4e6f7720 69732074"}),
                        {"3F A4 0E 8A 98 4D 48 15"}));
    EXPECT_TRUE(Printed(RunTavik({"crc32", "--spaced", "313233343536373839"}), {"D9 C6 0B 34"}));
}

TEST(Output, VersionAndHelpOfEveryCommand) {
    EXPECT_TRUE(Printed(RunTavik({"--version"}), {std::string("tavik ") + TAVIK_VERSION}));
    for (const char* command :
         {"encrypt", "decrypt", "cmac", "kcv", "crc16", "crc32", "xor", "verify"}) {
        const Outcome help = RunTavik({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find(std::string("Usage: tavik ") + command), std::string::npos)
            << help.out;
        // The options every command takes after its name, too.
        EXPECT_NE(help.out.find("--library PATH"), std::string::npos) << command;
        EXPECT_NE(help.out.find("--spaced"), std::string::npos) << command;
    }
}

} // namespace
} // namespace tavik_tests
