// The operations behind the buttons, through the run-time binding: each row
// of the decision tables with a known answer, every message and the order of
// the checks.
#include "annex_crc_a.h"
#include "calls.h"
#include "field_reading.h"
#include "hex.h"
#include "messages.h"
#include "operations.h"
#include "start_up.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace msg = orvelin::messages;

using orvelin::Chaining;
using orvelin::Cipher;
using orvelin::CipherChoice;
using orvelin::CrcChoice;
using orvelin::Fields;
using orvelin::Outcome;
using testing_support::from_hex;
using testing_support::to_hex;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

// An outcome with every field it may carry, so that a test can say which
// ones a press set.
struct Result {
    std::optional<std::string> message;
    std::optional<orvelin::Bytes> data_out;
    std::optional<orvelin::Bytes> cmac;
};

Result Flatten(const Outcome& outcome) {
    if (const auto* refusal = std::get_if<orvelin::Refusal>(&outcome)) {
        return {refusal->message, {}, {}};
    }
    const auto& shown = std::get<orvelin::Shown>(outcome);
    return {{}, shown.data_out, shown.cmac};
}

std::string Upper(std::string hex) {
    for (auto& c : hex) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return hex;
}

// What a field shows, or "<unchanged>" where the outcome leaves it alone.
std::string Shown(const std::optional<orvelin::Bytes>& bytes) {
    return bytes ? Upper(to_hex(*bytes)) : "<unchanged>";
}

std::string MessageOf(const Result& outcome) {
    return outcome.message.value_or("<none>");
}

void ExpectRefusal(const Result& outcome, const std::string& message) {
    EXPECT_EQ(MessageOf(outcome), message);
    EXPECT_FALSE(outcome.data_out.has_value());
    EXPECT_FALSE(outcome.cmac.has_value());
}

constexpr CipherChoice kStartUp{.cipher = Cipher::des, .chaining = Chaining::cbc};
constexpr CipherChoice Ecb(Cipher cipher) {
    return {.cipher = cipher, .chaining = Chaining::ecb};
}
constexpr CipherChoice Cbc(Cipher cipher) {
    return {.cipher = cipher, .chaining = Chaining::cbc};
}

const std::string kZero8 = "0000000000000000";

// ---- Encrypt and Decrypt.

struct CipherRow {
    const char* name;
    CipherChoice choice;
    std::string key, iv, plain, cipher;
};

std::vector<CipherRow> KnownAnswerRows() {
    const std::string k2 = "ad192fd064b5579e7a4fb3c8f794f22a";
    const std::string k3 = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123";
    const std::string iv8 = "1234567890ABCDEF";
    const std::string p24 = "4E6F77206973207468652074696D6520666F7220616C6C20";
    const auto via_library = [](calls::CbcFunction f, const std::string& key, const std::string& iv,
                                const std::string& plain) {
        return to_hex(calls::cbc(f, 0, from_hex(key), from_hex(iv), from_hex(plain)));
    };
    return {
        // Start-up state: single-DES CBC of zeros, which is ECB under a zero IV.
        {"start-up", kStartUp, kZero8, kZero8, kZero8, "8CA64DE9C1B123A7"},
        {"DES ECB", Ecb(Cipher::des), "0123456789ABCDEF", "zz", "4E6F772069732074",
         "3FA40E8A984D4815"},
        // FIPS 81 CBC example.
        {"DES CBC", Cbc(Cipher::des), "0123456789ABCDEF", iv8, p24,
         "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6"},
        {"2TDES ECB", Ecb(Cipher::two_key_tdes), k2, "", "13bad542f3652d67", "908e543cf2cb254f"},
        {"2TDES CBC", Cbc(Cipher::two_key_tdes), k2, iv8, p24,
         via_library(EnOrDecrypt_3DES_CBC, k2, iv8, p24)},
        // SP 800-67 example.
        {"3TDES ECB", Ecb(Cipher::three_key_tdes), k3, "", "5468652071756663", "A826FD8CE53B855F"},
        {"3TDES CBC", Cbc(Cipher::three_key_tdes), k3, iv8, p24,
         via_library(EnOrDecrypt_3DES_3KEY_CBC, k3, iv8, p24)},
        // FIPS 197 C.1.
        {"AES ECB", Ecb(Cipher::aes), "000102030405060708090a0b0c0d0e0f", "",
         "00112233445566778899aabbccddeeff", "69c4e0d86a7b0430d8cdb78070b4c55a"},
        // SP 800-38A F.2.1.
        {"AES CBC", Cbc(Cipher::aes), "2b7e151628aed2a6abf7158809cf4f3c",
         "000102030405060708090a0b0c0d0e0f",
         "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
         "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710",
         "7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2"
         "73bed6b8e3c1743b7116e69e222295163ff1caa1681fac09120eca307586e1a7"},
    };
}

TEST(CipherOperations, EachRowEncryptsAndDecryptsItsKnownAnswer) {
    for (const auto& row : KnownAnswerRows()) {
        SCOPED_TRACE(row.name);
        const Result encrypted =
            Flatten(orvelin::Encrypt(Library(), {row.key, row.iv, row.plain}, row.choice));
        EXPECT_EQ(MessageOf(encrypted), "<none>");
        EXPECT_EQ(Shown(encrypted.data_out), Upper(row.cipher));
        EXPECT_FALSE(encrypted.cmac.has_value());
        const Result decrypted =
            Flatten(orvelin::Decrypt(Library(), {row.key, row.iv, row.cipher}, row.choice));
        EXPECT_EQ(Shown(decrypted.data_out), Upper(row.plain));
    }
}

TEST(CipherOperations, SamePressTwiceGivesTheSameOutputAndSpacesDoNotMatter) {
    const Fields fields{"01 23 45 67 89 AB CD EF", "12345678 90abcdef", "4E6F7720 69732074"};
    const Result first = Flatten(orvelin::Encrypt(Library(), fields, kStartUp));
    const Result second = Flatten(orvelin::Encrypt(Library(), fields, kStartUp));
    EXPECT_EQ(Shown(first.data_out), Shown(second.data_out));
    EXPECT_EQ(
        Shown(first.data_out),
        Upper(to_hex(calls::cbc(EnOrDecrypt_DES_CBC, 0, from_hex("0123456789ABCDEF"),
                                from_hex("1234567890abcdef"), from_hex("4E6F772069732074")))));
}

TEST(CipherOperations, SingleDesUsesTheFirstEightKeyBytesAndEmptyDataGivesEmptyOutput) {
    const Fields longer{"0123456789ABCDEF FFFFFFFFFFFFFFFF", kZero8, "4E6F772069732074"};
    const Fields exact{"0123456789ABCDEF", kZero8, "4E6F772069732074"};
    EXPECT_EQ(Shown(Flatten(orvelin::Encrypt(Library(), longer, kStartUp)).data_out),
              Shown(Flatten(orvelin::Encrypt(Library(), exact, kStartUp)).data_out));
    for (const auto& choice : {kStartUp, Ecb(Cipher::aes), Cbc(Cipher::three_key_tdes)}) {
        const std::string key =
            choice.cipher == Cipher::aes ? std::string(32, '1') : std::string(48, '2');
        const std::string iv = choice.cipher == Cipher::aes ? std::string(32, '3') : kZero8;
        const Result outcome = Flatten(orvelin::Encrypt(Library(), {key, iv, ""}, choice));
        EXPECT_EQ(Shown(outcome.data_out), "");
    }
}

struct RefusalRow {
    const char* name;
    CipherChoice choice;
    Fields fields;
    std::string message;
};

// Each row's first failing check, in the order the checks run.
TEST(CipherOperations, RefusalsAndTheirOrder) {
    const std::string key16(32, 'A');
    const std::string key24(48, 'B');
    const std::string long_data(514, '1');
    const std::string long_iv(600, '0');
    const std::string long_key(513, '0');
    const std::string data12(24, '0');
    const std::string data20(40, '0');
    const std::string data8(16, '0');
    const RefusalRow rows[] = {
        {"AES key first", Cbc(Cipher::aes), {kZero8, kZero8, "%%"}, std::string(msg::kKeyLength16)},
        {"AES IV", Cbc(Cipher::aes), {key16, kZero8, "00"}, std::string(msg::kIvLength16)},
        {"AES IV empty", Cbc(Cipher::aes), {key16, "", "00"}, std::string(msg::kIvLength16)},
        {"2TDES key", Ecb(Cipher::two_key_tdes), {key24, "", "gg"}, std::string(msg::kKeyLength16)},
        {"3TDES key",
         Cbc(Cipher::three_key_tdes),
         {key16, kZero8, ""},
         std::string(msg::kKeyLength24)},
        {"DES IV", kStartUp, {kZero8, "00", kZero8}, std::string(msg::kIvLength8)},
        {"DES IV long", kStartUp, {kZero8, long_iv, kZero8}, std::string(msg::kIvLength8)},
        {"IV length before hex", kStartUp, {"zz", "00", kZero8}, std::string(msg::kIvLength8)},
        {"key not hex",
         kStartUp,
         {"00112233.4556677", kZero8, "0011223344556677"},
         msg::NotHexDigits(msg::kSessionKeyLabel)},
        {"data not hex",
         kStartUp,
         {kZero8, "00000000000000'0", "00112233445566%7"},
         msg::NotHexDigits(msg::kDataInLabel)},
        {"IV not hex",
         Cbc(Cipher::aes),
         {key16, "0000000000000000000000000000000x", ""},
         msg::NotHexDigits(msg::kIvLabel)},
        {"key too long", kStartUp, {long_key, kZero8, kZero8}, msg::TooLong(msg::kSessionKeyLabel)},
        {"data too long",
         Ecb(Cipher::two_key_tdes),
         {key16, "", long_data},
         msg::TooLong(msg::kDataInLabel)},
        {"short DES key",
         kStartUp,
         {"01234567", kZero8, kZero8},
         std::string(msg::kDesKeyAtLeast8)},
        {"empty DES key", Ecb(Cipher::des), {"", "", kZero8}, std::string(msg::kDesKeyAtLeast8)},
        {"DES partial block",
         Ecb(Cipher::two_key_tdes),
         {key16, "", data12},
         std::string(msg::kDataMultipleOf8)},
        {"AES partial block",
         Cbc(Cipher::aes),
         {key16, key16, data20},
         std::string(msg::kDataMultipleOf16)},
        {"AES ECB partial block",
         Ecb(Cipher::aes),
         {key16, "", data8},
         std::string(msg::kDataMultipleOf16)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectRefusal(Flatten(orvelin::Encrypt(Library(), row.fields, row.choice)), row.message);
        ExpectRefusal(Flatten(orvelin::Decrypt(Library(), row.fields, row.choice)), row.message);
    }
}

// ---- CMAC and Key Xor In.

const std::string kAesKey = "2b7e151628aed2a6abf7158809cf4f3c";
const std::string kMessage40 =
    "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e5130c81c46a35ce411";
const std::string kZero16 = std::string(32, '0');

TEST(MacOperations, AesCmacShowsTheRfc4493MacAndItsOddBytes) {
    const Result empty = Flatten(orvelin::AesCmac(Library(), {kAesKey, kZero16, ""}));
    EXPECT_EQ(Shown(empty.data_out), "BB1D6929E95937287FA37D129B756746");
    EXPECT_EQ(Shown(empty.cmac), "1D295928A3127546");
    const Result forty = Flatten(orvelin::AesCmac(Library(), {kAesKey, kZero16, kMessage40}));
    EXPECT_EQ(Shown(forty.data_out), "DFA66747DE9AE63030CA32611497C827");
    EXPECT_EQ(Shown(forty.cmac), "A6479A30CA619727");
}

TEST(MacOperations, TdesCmacsShowTheSp80038bMacInBothFields) {
    const std::string message = "6bc1bee22e409f96e93d7e117393172aae2d8a57";
    const Result two = Flatten(
        orvelin::TdesCmac(Library(), {"4cf15134a2850dd58a3d10ba80570d38", kZero8, message}));
    EXPECT_EQ(Shown(two.data_out), "62DD1B471902BD4E");
    EXPECT_EQ(Shown(two.cmac), "62DD1B471902BD4E");
    const Result three = Flatten(orvelin::Tdes3KeyCmac(
        Library(), {"8aa83bf8cbda10620bc1bf19fbb6cd58bc313d4a371ca8b5", kZero8, ""}));
    EXPECT_EQ(Shown(three.data_out), "B7A688E122FFAF95");
    EXPECT_EQ(Shown(three.cmac), "B7A688E122FFAF95");
}

TEST(MacOperations, TheIvStartsTheChainAndSamePressGivesSameMac) {
    const Fields with_iv{kAesKey, "000102030405060708090a0b0c0d0e0f", kMessage40};
    const Result first = Flatten(orvelin::AesCmac(Library(), with_iv));
    EXPECT_NE(Shown(first.data_out), "DFA66747DE9AE63030CA32611497C827");
    EXPECT_EQ(Shown(Flatten(orvelin::AesCmac(Library(), with_iv)).data_out), Shown(first.data_out));
    EXPECT_EQ(Shown(first.data_out),
              Upper(to_hex(calls::cmac(AES_CMAC, from_hex(kAesKey), from_hex(kMessage40),
                                       from_hex("000102030405060708090a0b0c0d0e0f")))));
}

TEST(MacOperations, RefusalsAndTheirOrder) {
    const std::string key16(32, 'A');
    ExpectRefusal(Flatten(orvelin::TdesCmac(Library(), {kZero8, kZero8, ""})),
                  std::string(msg::kKeyLength16));
    ExpectRefusal(Flatten(orvelin::AesCmac(Library(), {key16, kZero8, ""})),
                  std::string(msg::kIvLength16));
    ExpectRefusal(Flatten(orvelin::Tdes3KeyCmac(Library(), {key16, kZero8, ""})),
                  std::string(msg::kKeyLength24));
    ExpectRefusal(Flatten(orvelin::Tdes3KeyCmac(Library(), {std::string(48, '1'), kZero16, ""})),
                  std::string(msg::kIvLength8));
    ExpectRefusal(Flatten(orvelin::TdesCmac(Library(), {key16, "", "00"})),
                  std::string(msg::kIvLength8));
    ExpectRefusal(Flatten(orvelin::TdesCmac(Library(), {key16, kZero8, "00'"})),
                  msg::NotHexDigits(msg::kDataInLabel));
    ExpectRefusal(Flatten(orvelin::TdesCmac(Library(), {key16, "000000000000000.", "00"})),
                  msg::NotHexDigits(msg::kIvLabel));
    ExpectRefusal(Flatten(orvelin::AesCmac(Library(), {key16, kZero16, std::string(514, '0')})),
                  msg::TooLong(msg::kDataInLabel));
    EXPECT_EQ(
        Shown(
            Flatten(orvelin::TdesCmac(Library(), {key16, kZero8, std::string(512, '0')})).data_out)
            .size(),
        16U);
}

TEST(KeyOperations, KeyXorInCombinesTheShorterLength) {
    EXPECT_EQ(Shown(Flatten(orvelin::KeyXorIn(
                                {"0F0F0F0F0F0F0F0F", "", "FFFFFFFFFFFFFFFF0000000000000000"}))
                        .data_out),
              "F0F0F0F0F0F0F0F0");
    EXPECT_EQ(Shown(Flatten(orvelin::KeyXorIn({"", "", "1234"})).data_out), "");
    EXPECT_EQ(Shown(Flatten(orvelin::KeyXorIn({"12 34 5", "", "ABCDEF"})).data_out), "B9F9EA");
    ExpectRefusal(Flatten(orvelin::KeyXorIn({"12%4", "", "00"})),
                  msg::NotHexDigits(msg::kSessionKeyLabel));
    ExpectRefusal(Flatten(orvelin::KeyXorIn({"12", "", std::string(513, '0')})),
                  msg::TooLong(msg::kDataInLabel));
}

// ---- CalcCRC.

TEST(CrcOperation, ShowsTheCheckedChecksumLeastSignificantByteFirst) {
    const std::string digits = "313233343536373839";
    EXPECT_EQ(Shown(Flatten(orvelin::CalcCrc(std::string(digits), {.crc16 = true})).data_out),
              "05BF");
    EXPECT_EQ(Shown(Flatten(orvelin::CalcCrc(std::string(digits), {.crc32 = true})).data_out),
              "D9C60B34");
    EXPECT_EQ(Shown(Flatten(orvelin::CalcCrc(std::string("0000"), {.crc16 = true})).data_out),
              "A01E");
    EXPECT_EQ(Shown(Flatten(orvelin::CalcCrc(std::string("1234"), {.crc16 = true})).data_out),
              "26CF");
    EXPECT_EQ(Shown(Flatten(orvelin::CalcCrc(std::string(""), {.crc16 = true})).data_out), "6363");
    EXPECT_EQ(Shown(Flatten(orvelin::CalcCrc(std::string(""), {.crc32 = true})).data_out),
              "FFFFFFFF");
    const Result nothing = Flatten(orvelin::CalcCrc(std::string("zz"), {}));
    EXPECT_FALSE(nothing.message || nothing.data_out || nothing.cmac);
}

TEST(CrcOperation, Crc16CoversEveryByteOf255And256AndLongerIsRefused) {
    for (const std::size_t n : {254U, 255U, 256U}) {
        const std::uint16_t crc = AnnexCrcA(testing_support::Bytes(n, 0x55));
        const std::uint8_t expected[] = {static_cast<std::uint8_t>(crc & 0xFF),
                                         static_cast<std::uint8_t>(crc >> 8)};
        EXPECT_EQ(
            Shown(Flatten(orvelin::CalcCrc(std::string(std::string(2 * n, '5')), {.crc16 = true}))
                      .data_out),
            Upper(to_hex(expected)))
            << n;
    }
    ExpectRefusal(Flatten(orvelin::CalcCrc(std::string(std::string(514, '5')), {.crc16 = true})),
                  msg::TooLong(msg::kDataInLabel));
    ExpectRefusal(Flatten(orvelin::CalcCrc(std::string("12.4"), {.crc32 = true})),
                  msg::NotHexDigits(msg::kDataInLabel));
}

// ---- What the window and tavik share: one cipher choice, export names from
// the header's list, and the limits and labels as parameters.

TEST(SharedModel, CheckMarksMapToTheOneCipherChoice) {
    const struct {
        orvelin::CheckMarks marks;
        CipherChoice choice;
    } rows[] = {
        {{.aes_enabled = true, .two_key = true, .cbc = true}, Cbc(Cipher::aes)},
        {{.two_key = true}, Ecb(Cipher::two_key_tdes)},
        {{.three_key = true, .cbc = true}, Cbc(Cipher::three_key_tdes)},
        {{}, Ecb(Cipher::des)},
    };
    for (const auto& row : rows) {
        const CipherChoice choice = orvelin::CipherChoiceOf(row.marks);
        EXPECT_EQ(choice.cipher, row.choice.cipher);
        EXPECT_EQ(choice.chaining, row.choice.chaining);
    }
}

// Every name is one the library exports, and each choice names its own.
TEST(SharedModel, ExportNamesAreTheLibrarysOwn) {
    for (int i = 0; i <= static_cast<int>(orvelin::Export::AES_CMAC); ++i) {
        const std::string name(orvelin::ExportName(static_cast<orvelin::Export>(i)));
        EXPECT_NE(orvelin::platform::GetProcAddress(Library().module, name.c_str()), nullptr)
            << name;
    }
    EXPECT_EQ(orvelin::ExportName(Ecb(Cipher::des).RouteExport(orvelin::Direction::encrypt)),
              "EnOrDecrypt_DES");
    EXPECT_EQ(orvelin::ExportName(Cbc(Cipher::aes).RouteExport(orvelin::Direction::decrypt)),
              "AES_DecryptCBC");
    EXPECT_EQ(orvelin::ExportName(orvelin::CipherModel{Cipher::three_key_tdes}.CmacExport()),
              "TDES_3KEY_CMAC");
}

TEST(SharedModel, CapacityLabelsAndTheOddDigitRuleAreParameters) {
    const orvelin::InputRules rules{.key = {.label = "A", .capacity = 300},
                                    .iv = {.label = "IV"},
                                    .data = {.label = "B", .capacity = 1000},
                                    .odd_digits = orvelin::OddDigits::refused};
    const std::string key300(600, '1');
    EXPECT_EQ(
        Shown(Flatten(orvelin::KeyXorIn({key300, "", std::string(2000, '0')}, rules)).data_out),
        key300);
    ExpectRefusal(Flatten(orvelin::KeyXorIn({key300, "", std::string(2002, '0')}, rules)),
                  "B length must not exceed 1000 bytes!");
    ExpectRefusal(Flatten(orvelin::KeyXorIn({"123", "", "00"}, rules)),
                  "A must hold an even number of hex digits!");
    ExpectRefusal(Flatten(orvelin::CalcCrc("123", {.crc16 = true}, rules)),
                  "B must hold an even number of hex digits!");
    // Past the window's 256 bytes, within the export's own limit.
    const std::string data(2 * 1000, '5');
    const orvelin::Fields fields{std::string(32, 'A'), std::string(16, '0'), data};
    const orvelin::InputRules long_data{.data = {.label = "DataIn", .capacity = 1000}};
    const Result des = Flatten(orvelin::EncryptOrDecrypt(
        Library(), orvelin::Direction::encrypt, fields, Cbc(Cipher::two_key_tdes), long_data));
    ASSERT_TRUE(des.data_out.has_value()) << MessageOf(des);
    EXPECT_EQ(Shown(des.data_out),
              Upper(to_hex(calls::cbc(EnOrDecrypt_3DES_CBC, 0, from_hex(fields.session_key),
                                      from_hex(fields.iv), from_hex(data)))));
}

} // namespace
