// The CMAC examples of RFC 4493 and SP 800-38B in their text-file form (KEY
// or KEY1..3, MESSAGE, OUTPUT as the full tag), read at test time.
#include "byte_ops.h"
#include "calls.h"
#include "vector_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::join;
using testing_support::read_records;
using testing_support::to_hex;
using testing_support::vector_file_present;

using AesCmacTextFile = testing::TestWithParam<const char*>;

TEST_P(AesCmacTextFile, EveryTagMatches) {
    const std::string file = GetParam();
    ASSERT_TRUE(vector_file_present(file));
    const auto records = read_records(file);
    ASSERT_EQ(records.size(), 4U);
    for (const auto& r : records) {
        SCOPED_TRACE(file + " line " + std::to_string(r.line));
        const Bytes mac = calls::cmac(AES_CMAC, from_hex(r.at("KEY")), from_hex(r.at("MESSAGE")),
                                      Bytes(TAVIK_AES_BLOCK_SIZE, 0));
        EXPECT_EQ(to_hex(mac), r.at("OUTPUT"));
    }
}

INSTANTIATE_TEST_SUITE_P(CmacText, AesCmacTextFile,
                         testing::Values("cmac/rfc4493-aes128.txt",
                                         "cmac/nist-800-38b-aes128.txt"));

// Records 0 to 3 use three keys, 4 to 7 two (KEY3 = KEY1).
TEST(CmacText, TdesEveryTagMatchesInTheFormsItsKeysAllow) {
    const char* const file = "cmac/nist-800-38b-3des.txt";
    ASSERT_TRUE(vector_file_present(file));
    int two_key = 0;
    const auto records = read_records(file);
    ASSERT_EQ(records.size(), 8U);
    for (const auto& r : records) {
        SCOPED_TRACE("line " + std::to_string(r.line));
        const Bytes k1 = from_hex(r.at("KEY1"));
        const Bytes k2 = from_hex(r.at("KEY2"));
        const Bytes k3 = from_hex(r.at("KEY3"));
        const Bytes message = from_hex(r.at("MESSAGE"));
        const Bytes zero_iv(TAVIK_DES_BLOCK_SIZE, 0);
        EXPECT_EQ(to_hex(calls::cmac(TDES_3KEY_CMAC, join({k1, k2, k3}), message, zero_iv)),
                  r.at("OUTPUT"));
        if (k3 == k1) {
            EXPECT_EQ(to_hex(calls::cmac(TDES_CMAC, join({k1, k2}), message, zero_iv)),
                      r.at("OUTPUT"));
            ++two_key;
        }
    }
    EXPECT_EQ(two_key, 4);
}

} // namespace
