// The desfire, gp and emv commands beyond their published answers (in
// published_examples.txt): what each refuses, with which status, and a
// build whose whole-message exports lie failing each traced self-check.
#include "card_messages.h"
#include "cli_expect.h"

namespace tavik_tests {
namespace {

namespace card_messages = orvelin::card::messages;

const std::string k16 = std::string(32, '1');
const std::string k8 = std::string(16, '2');
const std::string kTi = "9D00C4DF";

struct Refusal {
    std::vector<std::string> arguments;
    int status;
    std::string message; // empty: the parser's own usage message
};

std::string Shown(const std::vector<std::string>& arguments) {
    return arguments.at(0) + " " + arguments.at(1);
}

TEST(SecureChannelCommands, RefusalsAndWrongUsage) {
    const Refusal cases[] = {
        {{"desfire", "session", "--key", k16, "--rnda", k8, "--rndb", k16},
         kRefused,
         "RndA must be 16 bytes!"},
        {{"desfire", "mac", "--key", k16, "--ti", kTi, "--counter", "65536", "--command", "51"},
         kRefused,
         "The counter must be from 0 to 65535!"},
        {{"desfire", "mac", "--key", k16, "--ti", kTi, "--counter", "x", "--command", "51"},
         kWrongUsage,
         ""},
        {{"desfire", "encrypt", "--key", k16, "--ti", "9D00", "--counter", "0", "00"},
         kRefused,
         "TI must be 4 bytes!"},
        // Decrypted under a key it was not encrypted under: no 80 mark.
        {{"desfire", "decrypt", "--key", k16, "--ti", kTi, "--counter", "1",
          "61B6D97903566E84C3AE5274467E89EA"},
         kRefused,
         std::string(card_messages::kUnpadNoMark)},
        {{"desfire", "frobnicate"}, kWrongUsage, ""},
        {{"gp", "scp02", "--key", k16, "--counter", "0009", "--host-challenge", k8,
          "--card-challenge", k8},
         kRefused,
         "The card challenge must be 6 bytes!"},
        {{"gp", "scp02", "--enc", k16, "--mac", k16, "--counter", "0009", "--host-challenge", k8,
          "--card-challenge", "43BE60D338C0"},
         kWrongUsage,
         "--dek is needed: give it or --key."},
        {{"gp", "scp02-cmac", "--key", k16, "--icv", "00", "80F28002024F00"},
         kRefused,
         "The ICV must be 8 bytes!"},
        {{"gp", "scp02-cmac", "--key", k16, "--icv-encrypt", "80F28002024F00"}, kWrongUsage, ""},
        {{"gp", "scp03", "--enc", k16, "--mac", k8, "--host-challenge", k8, "--card-challenge", k8},
         kRefused,
         "The MAC key must be 16 bytes!"},
        {{"emv", "icc-key", "--imk", k16, "--pan", "9901234567890123X"},
         kRefused,
         "The PAN must be 1 to 19 decimal digits!"},
        {{"emv", "icc-key", "--imk", k16, "--pan", "9901234567890123", "--psn", "4A"},
         kRefused,
         "The PSN must be 2 decimal digits!"},
        {{"emv", "session-key", "--key", k16, "--r", "1234"}, kRefused, "R must be 8 bytes!"},
        {{"emv", "arqc", "--key", k8, "00"}, kRefused, card_messages::KeyLength(16)},
        {{"emv", "arqc", "--key", k16, "--padding", "3", "00"}, kWrongUsage, ""},
        {{"emv", "arpc", "--key", k16, "--arqc", k8, "--arc", "00"},
         kRefused,
         "The ARC must be 2 bytes!"},
    };
    for (const Refusal& c : cases) {
        const Outcome run = RunTavik(c.arguments);
        if (c.message.empty()) {
            EXPECT_EQ(run.status, c.status) << Shown(c.arguments) << "\n" << run.err;
            EXPECT_TRUE(run.out.empty()) << Shown(c.arguments);
        } else {
            EXPECT_TRUE(EndedWith(run, c.status, c.message)) << Shown(c.arguments);
        }
    }
}

// Traced, each command's steps end in the exports it names and then its
// values; a build whose whole-message exports lie fails that check on
// standard error, status 1, with the steps still shown.
TEST(SecureChannelCommands, TheTracesCheckAgainstTheExports) {
    const struct {
        std::vector<std::string> arguments;
        std::string checked_with;
    } cases[] = {
        {{"desfire", "session", "--key", k16, "--rnda", k16, "--rndb", k16}, "AES_CMAC"},
        {{"desfire", "mac", "--key", k16, "--ti", kTi, "--counter", "1", "--response", "--command",
          "00", "0102"},
         "AES_CMAC"},
        {{"desfire", "encrypt", "--key", k16, "--ti", kTi, "--counter", "1", "0102"},
         "AES_EncryptCBC"},
        {{"desfire", "decrypt", "--key", "2B4D963C014DC36F24F69A50A394F875", "--ti", "DF055522",
          "--counter", "1", "--response", "70756055688505B52A5E26E59E329CD6"},
         "AES_EncryptCBC, AES_DecryptCBC"},
        {{"gp", "scp02", "--key", k16, "--dek", std::string(32, '3'), "--counter", "0009",
          "--host-challenge", k8, "--card-challenge", "43BE60D338C0"},
         "EnOrDecrypt_3DES_CBC"},
        {{"gp", "scp02-cmac", "--key", k16, "--icv", k8, "--icv-encrypt", "80F28002024F00"},
         "EnOrDecrypt_DES_CBC with EnOrDecrypt_3DES"},
        {{"gp", "scp03", "--enc", k16, "--mac", k16, "--host-challenge", k8, "--card-challenge",
          k8},
         "AES_CMAC"},
        {{"emv", "icc-key", "--imk", k16, "--pan", "12345678901234567"}, "EnOrDecrypt_3DES_CBC"},
        {{"emv", "session-key", "--key", k16, "--r", k8}, "EnOrDecrypt_3DES_CBC"},
        {{"emv", "arqc", "--key", k16, "--padding", "1", k8 + "01"},
         "EnOrDecrypt_DES_CBC with EnOrDecrypt_3DES"},
        {{"emv", "arpc", "--key", k16, "--arqc", k8, "--arc", "3030"}, "EnOrDecrypt_3DES_CBC"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> traced = c.arguments;
        traced.insert(traced.begin() + 2, "--trace");
        const std::vector<std::string> values = RunTavik(c.arguments).Lines();
        const Outcome run = RunTavik(traced);
        ASSERT_EQ(run.status, 0) << Shown(c.arguments) << run.err;
        ASSERT_FALSE(values.empty()) << Shown(c.arguments);
        const std::vector<std::string> lines = run.Lines();
        ASSERT_GT(lines.size(), values.size() + 1) << run.out;
        EXPECT_EQ(lines[lines.size() - values.size() - 1], "check: equals " + c.checked_with)
            << run.out;
        EXPECT_TRUE(std::equal(values.rbegin(), values.rend(), lines.rbegin())) << run.out;

        std::vector<std::string> skewed{"--library", TAVIK_SKEWED_LIBRARY};
        skewed.insert(skewed.end(), traced.begin(), traced.end());
        const Outcome faulty = RunTavik(skewed);
        EXPECT_EQ(faulty.status, kRefused) << Shown(c.arguments);
        // The first check, whose export comes first, is the one that fails.
        const std::string first = c.checked_with.substr(0, c.checked_with.find(", "));
        EXPECT_NE(faulty.err.find(first + " disagree!"), std::string::npos) << faulty.err;
        EXPECT_EQ(faulty.out.find("check: equals"), std::string::npos) << faulty.out;
        EXPECT_FALSE(faulty.out.empty()) << Shown(c.arguments);
    }
}

// Padding that fails its check once decrypted: traced, the decrypted block
// comes first, then the refusal, status 1.
TEST(SecureChannelCommands, ATracedLateRefusalShowsItsSteps) {
    const Outcome run = RunTavik({"desfire", "decrypt", "--trace", "--key", k16, "--ti", kTi,
                                  "--counter", "1", "61B6D97903566E84C3AE5274467E89EA"});
    EXPECT_EQ(run.status, kRefused);
    EXPECT_EQ(run.err, std::string(card_messages::kUnpadNoMark) + "\n");
    const std::vector<std::string> lines = run.Lines();
    ASSERT_FALSE(lines.empty()) << run.out;
    EXPECT_EQ(lines.back().rfind("padded  ", 0), 0U) << run.out;
}

// --key stands for each static key not given apart: --dek alone changes DEK
// and nothing else.
TEST(SecureChannelCommands, Scp02KeyGivenApartOverridesKey) {
    const std::vector<std::string> session = {
        "--counter", "0009", "--host-challenge", k8, "--card-challenge", "43BE60D338C0"};
    std::vector<std::string> all_alike = {"gp", "scp02", "--key", k16};
    std::vector<std::string> apart = {"gp", "scp02", "--key", k16, "--dek", std::string(32, '3')};
    all_alike.insert(all_alike.end(), session.begin(), session.end());
    apart.insert(apart.end(), session.begin(), session.end());
    const std::vector<std::string> alike_lines = RunTavik(all_alike).Lines();
    const std::vector<std::string> apart_lines = RunTavik(apart).Lines();
    ASSERT_EQ(alike_lines.size(), 6U);
    ASSERT_EQ(apart_lines.size(), 6U);
    for (std::size_t i = 0; i < alike_lines.size(); ++i) {
        EXPECT_EQ(alike_lines[i] == apart_lines[i], !alike_lines[i].starts_with("DEK "))
            << alike_lines[i];
    }
}

} // namespace
} // namespace tavik_tests
