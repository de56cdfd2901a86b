// The card-practice commands beyond their published answers (in
// published_examples.txt): what each refuses, with which status, and a
// build whose whole-message exports lie failing each traced self-check.
#include "card_messages.h"
#include "cli_expect.h"
#include "messages.h"

namespace tavik_tests {
namespace {

namespace card_messages = orvelin::card::messages;

const std::string kNowIsTheTime = "4E6F77206973207468652074696D6520666F7220616C6C20";
const std::string kRetailKey = "0123456789ABCDEFFEDCBA9876543210";
const std::string kAesKey = "48C3B4286FF421A4A328E68AD9E542A4";

struct Refusal {
    std::vector<std::string> arguments;
    int status;
    std::string message; // empty: the parser's own usage message
    std::string input = {};
};

TEST(CardPractice, RefusalsAndWrongUsage) {
    const Refusal cases[] = {
        {{"pad", "--method", "4", "00"}, kWrongUsage, ""},
        {{"pad", "--method", "2", "--block", "12", "00"}, kWrongUsage, ""},
        {{"pad", "--method", "1", "-"},
         kRefused,
         std::string(orvelin::messages::kDataInLabel) + " length must not exceed 32767 bytes!",
         std::string(2 * 32768, '0')},
        {{"unpad", "--method", "1", "0000000000000000"},
         kRefused,
         std::string(card_messages::kUnpadMethod1)},
        {{"unpad", "--method", "2", "8000"},
         kRefused,
         std::string(card_messages::kUnpadWholeBlocks)},
        {{"unpad", "--method", "2", "0000000000000000"},
         kRefused,
         std::string(card_messages::kUnpadNoMark)},
        {{"unpad", "--method", "2", "0080000000000001"},
         kRefused,
         std::string(card_messages::kUnpadAfterMark)},
        {{"unpad", "--method", "3",
          "0000000000000080"
          "AABB000000000000"},
         kRefused,
         std::string(card_messages::kUnpadLengthDisagrees)},
        {{"mac", "--algorithm", "1", "--padding", "1", "--key", kRetailKey, kNowIsTheTime},
         kWrongUsage,
         "MAC algorithm 1 needs --cipher."},
        {{"mac", "--algorithm", "3", "--cipher", "des", "--padding", "1", "--key", kRetailKey,
          kNowIsTheTime},
         kWrongUsage,
         std::string(card_messages::kRetailTakesNoCipher)},
        {{"mac", "--algorithm", "3", "--padding", "2", "--key", kRetailKey, "-"},
         kRefused,
         std::string(orvelin::messages::kDataInLabel) + " length must not exceed 32767 bytes!",
         std::string(2 * 32768, '0')},
        {{"mac", "--algorithm", "2", "--padding", "1", "--key", kRetailKey, "00"}, kWrongUsage, ""},
        {{"mac", "--algorithm", "3", "--padding", "1", "--key", kRetailKey.substr(0, 16), "00"},
         kRefused,
         card_messages::KeyLength(16)},
        {{"mac", "--algorithm", "3", "--padding", "1", "--key", kRetailKey, "--length", "3", "00"},
         kRefused,
         card_messages::LengthOutOfRange("MAC length", 4, 8)},
        {{"mac", "--algorithm", "1", "--cipher", "aes", "--padding", "2", "--key", kAesKey, "--iv",
          "0000000000000000", "00"},
         kRefused,
         card_messages::IvLength(16)},
        {{"crc16", "--type", "c", "00"}, kWrongUsage, ""},
        {{"kcv", "--cipher", "des", "--method", "gp", "--key", "0123456789ABCDEF"},
         kWrongUsage,
         "--method gp, cmac and cmac-empty compute the check value of AES keys only."},
        {{"kcv", "--cipher", "aes", "--cmac", "--method", "cmac", "--key", kAesKey},
         kWrongUsage,
         ""},
        {{"kcv", "--cipher", "aes", "--method", "zeros", "--length", "17", "--key", kAesKey},
         kRefused,
         card_messages::LengthOutOfRange("Check value length", 1, 16)},
        {{"kcv", "--cipher", "des", "--length", "0", "--key", "0123456789ABCDEF"},
         kRefused,
         card_messages::LengthOutOfRange("Check value length", 1, 8)},
        {{"diversify", "--cipher", "des", "--key", "0123456789ABCDEF", "04"}, kWrongUsage, ""},
        {{"diversify", "--cipher", "2tdes", "--key", kAesKey, std::string(32, '0')},
         kRefused,
         card_messages::LengthOutOfRange("Diversification input", 1, 15)},
        {{"diversify", "--cipher", "aes", "--key", kAesKey, ""},
         kRefused,
         card_messages::LengthOutOfRange("Diversification input", 1, 31)},
        {{"diversify", "--cipher", "3tdes", "--key", kAesKey, "04"},
         kRefused,
         card_messages::KeyLength(24)},
    };
    for (const Refusal& c : cases) {
        const Outcome run = RunTavik(c.arguments, c.input);
        const std::string shown = c.arguments.front() + " " + c.arguments[1] + " " + c.arguments[2];
        if (c.message.empty()) {
            EXPECT_EQ(run.status, c.status) << shown << "\n" << run.err;
            EXPECT_TRUE(run.out.empty()) << shown;
        } else {
            EXPECT_TRUE(EndedWith(run, c.status, c.message)) << shown;
        }
    }
}

// Traced, each step-by-step route ends in the exports it names; a build whose
// whole-message exports lie fails that check on standard error, status 1,
// with the steps still shown.
TEST(CardPractice, TheTracesCheckAgainstTheExports) {
    const struct {
        std::vector<std::string> arguments;
        std::string checked_with;
    } cases[] = {
        {{"mac", "--algorithm", "1", "--cipher", "2tdes", "--padding", "2", "--key", kRetailKey,
          kNowIsTheTime},
         "EnOrDecrypt_3DES_CBC"},
        {{"mac", "--algorithm", "3", "--padding", "3", "--key", kRetailKey, kNowIsTheTime},
         "EnOrDecrypt_DES_CBC with EnOrDecrypt_3DES"},
        {{"kcv", "--cipher", "3tdes", "--key", std::string(48, '1')}, "EnOrDecrypt_3DES_3KEY_CBC"},
        {{"kcv", "--cipher", "aes", "--method", "gp", "--key", kAesKey}, "AES_EncryptCBC"},
        {{"kcv", "--cipher", "aes", "--method", "cmac-empty", "--key", kAesKey}, "AES_CMAC"},
        // An input ending inside the first block is checked through the CBC
        // export, then the CMAC of the empty message; a whole one by the CMAC.
        {{"diversify", "--cipher", "aes", "--key", kAesKey, "04782E21801D80"},
         "AES_EncryptCBC with AES_CMAC"},
        {{"diversify", "--cipher", "2tdes", "--key", kAesKey, "04782E21801D80"},
         "EnOrDecrypt_3DES_CBC with TDES_CMAC"},
        {{"diversify", "--cipher", "2tdes", "--key", kAesKey, "04782E21801D803042F54E58502041"},
         "TDES_CMAC"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> traced = c.arguments;
        traced.insert(traced.begin() + 1, "--trace");
        const Outcome plain = RunTavik(c.arguments);
        const Outcome run = RunTavik(traced);
        ASSERT_EQ(run.status, 0) << c.arguments.front() << run.err;
        const auto lines = run.Lines();
        ASSERT_GE(lines.size(), 3U) << run.out;
        EXPECT_EQ(lines[lines.size() - 2], "check: equals " + c.checked_with) << run.out;
        EXPECT_EQ(lines.back(), plain.Lines().at(0));

        std::vector<std::string> skewed{"--library", TAVIK_SKEWED_LIBRARY};
        skewed.insert(skewed.end(), traced.begin(), traced.end());
        const Outcome faulty = RunTavik(skewed);
        EXPECT_EQ(faulty.status, kRefused) << c.checked_with;
        EXPECT_NE(faulty.err.find("disagree!"), std::string::npos) << faulty.err;
        EXPECT_EQ(faulty.out.find("check: equals"), std::string::npos) << faulty.out;
        EXPECT_FALSE(faulty.out.empty()) << c.checked_with;
    }
}

// Padding without a library, traced: the bytes added come before the data.
TEST(CardPractice, PaddingOfEmptyDataAndItsSteps) {
    EXPECT_TRUE(Printed(RunTavik({"pad", "--method", "1", ""}), {"0000000000000000"}));
    EXPECT_TRUE(Printed(RunTavik({"pad", "--method", "2", "--block", "16", ""}),
                        {"80000000000000000000000000000000"}));
    EXPECT_TRUE(Printed(RunTavik({"pad", "--method", "3", ""}), {"0000000000000000"}));
    const Outcome traced = RunTavik({"pad", "--trace", "--method", "2", "AA"});
    ASSERT_EQ(traced.status, 0) << traced.err;
    EXPECT_GE(traced.Lines().size(), 2U);
    EXPECT_EQ(traced.Lines().back(), "AA80000000000000");
}

} // namespace
} // namespace tavik_tests
