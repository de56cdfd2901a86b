// Key check values: the zero-block form against NIST's variable-key files,
// whose plaintext is the zero block, and the CMAC form against OpenSSL.
#include "cli_expect.h"
#include "hex.h"
#include "messages.h"
#include "openssl_peer.h"
#include "vector_files.h"

namespace tavik_tests {
namespace {

using testing_support::read_records;
using testing_support::Record;

// The ENCRYPT records of a variable-key file, whose plaintext is all zeros.
std::vector<Record> ZeroBlockRecords(const std::string& file) {
    std::vector<Record> records;
    for (const Record& record : read_records(file)) {
        const std::string& plain = record.at("PLAINTEXT");
        if (record.section == "ENCRYPT" && plain.find_first_not_of('0') == std::string::npos) {
            records.push_back(record);
        }
    }
    return records;
}

std::string FirstBytes(const std::string& hex, std::size_t count) {
    return Upper(hex.substr(0, 2 * count));
}

TEST(Kcv, ZeroBlockOfTheDesFamilyFromTheVariableKeyFile) {
    const std::string file = "tdes/TECBvarkey.rsp";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    const auto records = ZeroBlockRecords(file);
    ASSERT_EQ(records.size(), 56U);
    for (const Record& record : records) {
        // KEYs stands for K1 = K2 = K3: each form of the key gives single DES.
        const std::string key = record.at("KEYs");
        const std::string expected = FirstBytes(record.at("CIPHERTEXT"), 3);
        EXPECT_TRUE(Printed(RunTavik({"kcv", "--cipher", "des", "--key", key}), {expected}));
        EXPECT_TRUE(
            Printed(RunTavik({"kcv", "--cipher", "2tdes", "--key", key + key}), {expected}));
        EXPECT_TRUE(
            Printed(RunTavik({"kcv", "--cipher", "3tdes", "--key", key + key + key}), {expected}));
    }
}

TEST(Kcv, ZeroBlockOfAesFromTheVariableKeyFile) {
    const std::string file = "aes/ECBVarKey128.rsp";
    ASSERT_TRUE(testing_support::vector_file_present(file));
    const auto records = ZeroBlockRecords(file);
    ASSERT_EQ(records.size(), 128U);
    for (const Record& record : records) {
        EXPECT_TRUE(Printed(RunTavik({"kcv", "--cipher", "aes", "--key", record.at("KEY")}),
                            {FirstBytes(record.at("CIPHERTEXT"), 3)}));
    }
}

// RFC 4493 prints AES-128(key, 0) for its example key: 7df76b0c...
TEST(Kcv, ZeroBlockOfTheRfc4493Key) {
    EXPECT_TRUE(
        Printed(RunTavik({"kcv", "--cipher", "aes", "--key", "2b7e151628aed2a6abf7158809cf4f3c"}),
                {"7DF76B"}));
}

// OpenSSL's AES-128 CMAC of one zero block under `key`.
std::string OpenSslCmacOfZeroBlock(const testing_support::Bytes& key) {
    const testing_support::Bytes zeros(16);
    return Upper(testing_support::to_hex(
        testing_support::peer::cmac(testing_support::peer::Cipher::aes128, key, zeros)));
}

TEST(Kcv, CmacFormIsTheLeftmostFiveBytesOfTheCmacOfOneZeroBlock) {
    for (const char* key :
         {"2b7e151628aed2a6abf7158809cf4f3c", "00000000000000000000000000000000",
          "ffffffffffffffffffffffffffffffff", "000102030405060708090a0b0c0d0e0f"}) {
        const std::string cmac = OpenSslCmacOfZeroBlock(testing_support::from_hex(key));
        EXPECT_TRUE(Printed(RunTavik({"kcv", "--cipher", "aes", "--cmac", "--key", key}),
                            {cmac.substr(0, 10)}))
            << key;
        const Outcome full =
            RunTavik({"cmac", "--cipher", "aes", "--key", key, std::string(32, '0')});
        ASSERT_FALSE(full.Lines().empty());
        EXPECT_EQ(full.Lines().front(), cmac) << key;
    }
}

TEST(Kcv, TheWindowsKeyChecksAndUsage) {
    EXPECT_TRUE(EndedWith(RunTavik({"kcv", "--cipher", "aes", "--key", "0011"}), kRefused,
                          std::string(orvelin::messages::kKeyLength16)));
    EXPECT_TRUE(EndedWith(RunTavik({"kcv", "--cipher", "des", "--key", "00112233445566"}), kRefused,
                          std::string(orvelin::messages::kDesKeyAtLeast8)));
    EXPECT_TRUE(
        EndedWith(RunTavik({"kcv", "--cipher", "3tdes", "--cmac", "--key", std::string(48, '0')}),
                  kWrongUsage, "--cmac computes the check value of AES keys only."));
}

} // namespace
} // namespace tavik_tests
