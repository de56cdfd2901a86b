// The NIST CAVP known-answer and multi-block files, read at test time: one
// driver per family. A file that is missing fails its test.
#include "byte_ops.h"
#include "calls.h"
#include "vector_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::join;
using testing_support::read_records;
using testing_support::Record;
using testing_support::to_hex;
using testing_support::vector_file_present;

bool is_cbc(const std::string& file) {
    return file.find("CBC") != std::string::npos;
}

// ---- Triple DES: KAT files (KEYs, so single DES) and MMT files (KEY1..3).

struct TdesKeys {
    Bytes k1, k2, k3;
};

TdesKeys keys_of(const Record& r) {
    if (r.fields.count("KEYs") != 0) {
        const Bytes k = from_hex(r.at("KEYs"));
        return {k, k, k};
    }
    return {from_hex(r.at("KEY1")), from_hex(r.at("KEY2")), from_hex(r.at("KEY3"))};
}

// Every export of the family that can express these keys must agree.
void check_tdes(const TdesKeys& k, const std::optional<Bytes>& iv, bool encrypt, const Bytes& in,
                const Bytes& expected) {
    const std::uint8_t ecb_mode = calls::block_mode(encrypt);
    const std::uint8_t cbc_mode = calls::cbc_mode(encrypt);
    const Bytes three = join({k.k1, k.k2, k.k3});
    const Bytes two = join({k.k1, k.k2});
    if (iv) {
        EXPECT_EQ(calls::cbc(EnOrDecrypt_3DES_3KEY_CBC, cbc_mode, three, *iv, in), expected);
    } else {
        EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES_3KEY, ecb_mode, three, in), expected);
    }
    if (k.k3 == k.k1) {
        EXPECT_EQ(iv ? calls::cbc(EnOrDecrypt_3DES_CBC, cbc_mode, two, *iv, in)
                     : calls::ecb(EnOrDecrypt_3DES, ecb_mode, two, in),
                  expected);
    }
    if (k.k1 == k.k2 && k.k2 == k.k3) {
        EXPECT_EQ(iv ? calls::cbc(EnOrDecrypt_DES_CBC, cbc_mode, k.k1, *iv, in)
                     : calls::des_ecb(ecb_mode, k.k1, in),
                  expected);
    }
}

using TdesFile = testing::TestWithParam<const char*>;

TEST_P(TdesFile, EveryRecordMatches) {
    const std::string file = GetParam();
    ASSERT_TRUE(vector_file_present(file));
    const auto records = read_records(file);
    ASSERT_FALSE(records.empty());
    for (const auto& r : records) {
        SCOPED_TRACE(file + " line " + std::to_string(r.line));
        const bool encrypt = r.section == "ENCRYPT";
        const std::optional<Bytes> iv =
            is_cbc(file) ? std::optional(from_hex(r.at("IV"))) : std::nullopt;
        const Bytes plain = from_hex(r.at("PLAINTEXT"));
        const Bytes cipher = from_hex(r.at("CIPHERTEXT"));
        check_tdes(keys_of(r), iv, encrypt, encrypt ? plain : cipher, encrypt ? cipher : plain);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cavp, TdesFile,
    testing::Values("tdes/TECBMMT1.rsp", "tdes/TECBMMT2.rsp", "tdes/TECBMMT3.rsp",
                    "tdes/TCBCMMT1.rsp", "tdes/TCBCMMT2.rsp", "tdes/TCBCMMT3.rsp",
                    "tdes/TECBinvperm.rsp", "tdes/TECBpermop.rsp", "tdes/TECBsubtab.rsp",
                    "tdes/TECBvarkey.rsp", "tdes/TECBvartext.rsp", "tdes/TCBCinvperm.rsp",
                    "tdes/TCBCpermop.rsp", "tdes/TCBCsubtab.rsp", "tdes/TCBCvarkey.rsp",
                    "tdes/TCBCvartext.rsp", "tdes/cavs18.0/TECBMMT2.rsp",
                    "tdes/cavs18.0/TECBMMT3.rsp", "tdes/cavs18.0/TCBCMMT2.rsp",
                    "tdes/cavs18.0/TCBCMMT3.rsp"));

// ---- AES-128 ECB and CBC.

using AesFile = testing::TestWithParam<const char*>;

TEST_P(AesFile, EveryRecordMatches) {
    const std::string file = GetParam();
    ASSERT_TRUE(vector_file_present(file));
    const auto records = read_records(file);
    ASSERT_FALSE(records.empty());
    for (const auto& r : records) {
        SCOPED_TRACE(file + " line " + std::to_string(r.line));
        const bool encrypt = r.section == "ENCRYPT";
        const Bytes key = from_hex(r.at("KEY"));
        const Bytes plain = from_hex(r.at("PLAINTEXT"));
        const Bytes cipher = from_hex(r.at("CIPHERTEXT"));
        const Bytes& in = encrypt ? plain : cipher;
        const Bytes out = is_cbc(file) ? calls::aes_cbc(encrypt, key, from_hex(r.at("IV")), in)
                                       : calls::aes_ecb(encrypt, key, in);
        EXPECT_EQ(out, encrypt ? cipher : plain);
    }
}

INSTANTIATE_TEST_SUITE_P(Cavp, AesFile,
                         testing::Values("aes/ECBGFSbox128.rsp", "aes/ECBKeySbox128.rsp",
                                         "aes/ECBVarKey128.rsp", "aes/ECBVarTxt128.rsp",
                                         "aes/ECBMMT128.rsp", "aes/CBCGFSbox128.rsp",
                                         "aes/CBCKeySbox128.rsp", "aes/CBCVarKey128.rsp",
                                         "aes/CBCVarTxt128.rsp", "aes/CBCMMT128.rsp"));

// ---- CMACGen: the Mac is the leftmost Tlen bytes of the full CMAC.

Bytes message_of(const Record& r) {
    return std::stoi(r.at("Mlen")) == 0 ? Bytes{} : from_hex(r.at("Msg"));
}

void expect_mac_prefix(const Bytes& full, const Record& r) {
    const std::string mac = r.at("Mac");
    EXPECT_EQ(to_hex(full).substr(0, mac.size()), to_hex(from_hex(mac)));
}

const Bytes kAesZeroIv(TAVIK_AES_BLOCK_SIZE, 0);
const Bytes kDesZeroIv(TAVIK_DES_BLOCK_SIZE, 0);

TEST(CavpCmac, Aes128) {
    const char* const file = "cmac/CMACGenAES128.rsp";
    ASSERT_TRUE(vector_file_present(file));
    int checked = 0;
    for (const auto& r : read_records(file)) {
        if (std::stoi(r.at("Mlen")) > TAVIK_AES_CMAC_MAX_LENGTH) {
            continue; // beyond the function's contract
        }
        SCOPED_TRACE("line " + std::to_string(r.line));
        expect_mac_prefix(calls::cmac(AES_CMAC, from_hex(r.at("Key")), message_of(r), kAesZeroIv),
                          r);
        ++checked;
    }
    EXPECT_EQ(checked, 80);
}

TEST(CavpCmac, TdesKeyingOptions1And2) {
    int checked = 0;
    for (const char* file : {"cmac/CMACGenTDES2.rsp", "cmac/CMACGenTDES3.rsp"}) {
        ASSERT_TRUE(vector_file_present(file));
        for (const auto& r : read_records(file)) {
            SCOPED_TRACE(std::string(file) + " line " + std::to_string(r.line));
            const Bytes k1 = from_hex(r.at("Key1"));
            const Bytes k2 = from_hex(r.at("Key2"));
            const Bytes k3 = from_hex(r.at("Key3"));
            const Bytes message = message_of(r);
            expect_mac_prefix(calls::cmac(TDES_3KEY_CMAC, join({k1, k2, k3}), message, kDesZeroIv),
                              r);
            if (k3 == k1) {
                expect_mac_prefix(calls::cmac(TDES_CMAC, join({k1, k2}), message, kDesZeroIv), r);
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 192);
}

} // namespace
