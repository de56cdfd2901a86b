// Traces: each step against the values the standards print, and the check
// against the library's own export, which must fail loudly on a faulty build.
#include "cli_expect.h"
#include "hex.h"

namespace tavik_tests {
namespace {

struct Step {
    std::string label;
    std::string value;
};

// "block 1 input     6BC1..." → {"block 1 input", "6BC1..."}: a value starts
// after the first run of two or more spaces. A line with no value column
// ("check: ...", the results) is all label.
std::vector<Step> Steps(const Outcome& run) {
    std::vector<Step> steps;
    for (const std::string& line : run.Lines()) {
        const std::size_t gap = line.find("  ");
        if (gap == std::string::npos) {
            steps.push_back({line, ""});
            continue;
        }
        steps.push_back({line.substr(0, gap), line.substr(line.find_first_not_of(' ', gap))});
    }
    return steps;
}

std::string Xor(const std::string& a, const std::string& b) {
    const auto x = testing_support::from_hex(a);
    const auto y = testing_support::from_hex(b);
    testing_support::Bytes out(std::min(x.size(), y.size()));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::uint8_t>(x[i] ^ y[i]);
    }
    return Upper(testing_support::to_hex(out));
}

void ExpectSteps(const std::vector<Step>& steps, const std::vector<Step>& expected) {
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].label, expected[i].label) << "line " << i + 1;
        EXPECT_EQ(steps[i].value, expected[i].value)
            << "line " << i + 1 << " " << expected[i].label;
    }
}

// RFC 4493's 40-byte example. The RFC prints L = AES-128(K, 0), K1, K2 and
// the MAC; SP 800-38A F.1.1 gives E(K, M1), the first chaining value.
TEST(Trace, Rfc4493FortyByteCmacLineByLine) {
    const std::string key = "2B7E151628AED2A6ABF7158809CF4F3C";
    const std::string m1 = "6BC1BEE22E409F96E93D7E117393172A";
    const std::string m2 = "AE2D8A571E03AC9C9EB76FAC45AF8E51";
    const std::string tail = "30C81C46A35CE411";
    const std::string k2 = "F7DDAC306AE266CCF90BC11EE46D513B";
    const std::string mac = "DFA66747DE9AE63030CA32611497C827";
    const std::string e_m1 = "3AD77BB40D7A3660A89ECAF32466EF97";
    const std::string zeros(32, '0');
    const Outcome run =
        RunTavik({"cmac", "--trace", "--cipher", "aes", "--key", key, m1 + m2 + tail});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto steps = Steps(run);
    ASSERT_EQ(steps.size(), 21U) << run.out;
    // The second chaining value is printed by no standard: it must be the
    // one the last block is chained with.
    const std::string c2 = steps[11].value;
    const std::string padded = tail + "8000000000000000";
    const std::string masked = Xor(padded, k2);
    ExpectSteps(steps, {{"L", "7DF76B0C1AB899B33E42F047B91B546F"},
                        {"K1", "FBEED618357133667C85E08F7236A8DE"},
                        {"K2", k2},
                        {"IV", zeros},
                        {"block 1 input", m1},
                        {"block 1 chaining", zeros},
                        {"block 1 XOR", m1},
                        {"block 1 output", e_m1},
                        {"block 2 input", m2},
                        {"block 2 chaining", e_m1},
                        {"block 2 XOR", Xor(m2, e_m1)},
                        {"block 2 output", c2},
                        {"last block", tail},
                        {"last padded", padded},
                        {"last masked K2", masked},
                        {"last chaining", c2},
                        {"last XOR", Xor(masked, c2)},
                        {"MAC", mac},
                        {"check: equals AES_CMAC", ""},
                        {mac, ""},
                        {"A6479A30CA619727", ""}});
}

// A complete last block is masked with K1 and not padded; the 16-byte RFC
// example and SP 800-38B's first two-key TDEA example.
TEST(Trace, CompleteLastBlockTakesK1) {
    const Outcome aes =
        RunTavik({"cmac", "--trace", "--cipher", "aes", "--key", "2B7E151628AED2A6ABF7158809CF4F3C",
                  "6BC1BEE22E409F96E93D7E117393172A"});
    const auto steps = Steps(aes);
    ASSERT_EQ(steps.size(), 12U) << aes.out;
    EXPECT_EQ(steps[4].label, "last block");
    EXPECT_EQ(steps[5].label, "last masked K1");
    EXPECT_EQ(steps[5].value, Xor("6BC1BEE22E409F96E93D7E117393172A", steps[1].value));
    EXPECT_EQ(steps[8].value, "070A16B46B4D4144F79BDD9DD04A287C");

    const Outcome tdes = RunTavik({"cmac", "--trace", "--cipher", "2tdes", "--key",
                                   "4CF15134A2850DD58A3D10BA80570D38", "6BC1BEE22E409F96"});
    ASSERT_EQ(tdes.status, 0) << tdes.err;
    EXPECT_EQ(tdes.Lines()[9], "check: equals TDES_CMAC");
    EXPECT_EQ(tdes.Lines()[10], "4FF2AB813C53CE83");
}

// SP 800-38A F.2.1 prints each block's input block (plaintext XOR chaining)
// and output block.
TEST(Trace, Sp800_38aCbcEncryptionBlockByBlock) {
    const std::vector<std::string> plain = {
        "6BC1BEE22E409F96E93D7E117393172A", "AE2D8A571E03AC9C9EB76FAC45AF8E51",
        "30C81C46A35CE411E5FBC1191A0A52EF", "F69F2445DF4F9B17AD2B417BE66C3710"};
    const std::vector<std::string> input_blocks = {
        "6BC0BCE12A459991E134741A7F9E1925", "D86421FB9F1A1EDA505EE1375746972C",
        "604ED7DDF32EFDFF7020D0238B7C2A5D", "8521F2FD3C8EEF2CDC3DA7E5C44EA206"};
    const std::vector<std::string> output_blocks = {
        "7649ABAC8119B246CEE98E9B12E9197D", "5086CB9B507219EE95DB113A917678B2",
        "73BED6B8E3C1743B7116E69E22229516", "3FF1CAA1681FAC09120ECA307586E1A7"};
    const std::string iv = "000102030405060708090A0B0C0D0E0F";
    const Outcome run =
        RunTavik({"encrypt", "--trace", "--cipher", "aes", "--cbc", "--iv", iv, "--key",
                  "2B7E151628AED2A6ABF7158809CF4F3C", plain[0] + plain[1] + plain[2] + plain[3]});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<Step> expected;
    std::string chaining = iv;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string block = "block " + std::to_string(i + 1);
        expected.push_back({block + " input", plain[i]});
        expected.push_back({block + " chaining", chaining});
        expected.push_back({block + " XOR", input_blocks[i]});
        expected.push_back({block + " output", output_blocks[i]});
        chaining = output_blocks[i];
    }
    expected.push_back({"check: equals AES_EncryptCBC", ""});
    expected.push_back(
        {output_blocks[0] + output_blocks[1] + output_blocks[2] + output_blocks[3], ""});
    ExpectSteps(Steps(run), expected);
}

// FIPS 81's example backwards: D(C) XOR the chaining value is the plaintext.
TEST(Trace, Fips81CbcDecryptionBlockByBlock) {
    const Outcome run =
        RunTavik({"decrypt", "--trace", "--cipher", "des", "--cbc", "--iv", "1234567890ABCDEF",
                  "--key", "0123456789ABCDEF", "E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto steps = Steps(run);
    ASSERT_EQ(steps.size(), 14U);
    EXPECT_EQ(steps[0].value, "E5C7CDDE872BF27C");
    EXPECT_EQ(steps[1].label, "block 1 decrypted");
    EXPECT_EQ(steps[1].value, Xor("4E6F772069732074", "1234567890ABCDEF"));
    EXPECT_EQ(steps[2].value, "1234567890ABCDEF");
    EXPECT_EQ(steps[3].value, "4E6F772069732074");
    EXPECT_EQ(steps[10].value, "43E934008C389C0F");
    EXPECT_EQ(steps[12].label, "check: equals EnOrDecrypt_DES_CBC");
    EXPECT_EQ(steps[13].label, "4E6F77206973207468652074696D6520666F7220616C6C20");
}

TEST(Trace, EveryCipherAndModeChecksAgainstItsExport) {
    const struct {
        std::string cipher;
        std::string key;
        std::size_t block;
        std::string ecb;
        std::string cbc;
        std::string cbc_decrypt;
    } ciphers[] = {
        {"des", "0123456789ABCDEF", 8, "EnOrDecrypt_DES", "EnOrDecrypt_DES_CBC",
         "EnOrDecrypt_DES_CBC"},
        {"2tdes", "0123456789ABCDEF23456789ABCDEF01", 8, "EnOrDecrypt_3DES", "EnOrDecrypt_3DES_CBC",
         "EnOrDecrypt_3DES_CBC"},
        {"3tdes", "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123", 8, "EnOrDecrypt_3DES_3KEY",
         "EnOrDecrypt_3DES_3KEY_CBC", "EnOrDecrypt_3DES_3KEY_CBC"},
        {"aes", "2B7E151628AED2A6ABF7158809CF4F3C", 16, "AES_Encrypt", "AES_EncryptCBC",
         "AES_DecryptCBC"},
    };
    const std::string data(96, 'C');
    for (const auto& c : ciphers) {
        const Outcome ecb =
            RunTavik({"encrypt", "--trace", "--cipher", c.cipher, "--key", c.key, data});
        const Outcome plain = RunTavik({"encrypt", "--cipher", c.cipher, "--key", c.key, data});
        ASSERT_EQ(ecb.status, 0) << ecb.err;
        EXPECT_EQ(ecb.Lines().end()[-2], "check: equals " + c.ecb);
        EXPECT_EQ(ecb.Lines().back(), plain.Lines().back());
        const std::string iv(2 * c.block, 'F');
        const Outcome cbc = RunTavik({"encrypt", "--trace", "--cipher", c.cipher, "--cbc", "--iv",
                                      iv, "--key", c.key, data});
        ASSERT_EQ(cbc.status, 0) << cbc.err;
        EXPECT_EQ(cbc.Lines().end()[-2], "check: equals " + c.cbc);
        const Outcome back = RunTavik({"decrypt", "--trace", "--cipher", c.cipher, "--cbc", "--iv",
                                       iv, "--key", c.key, cbc.Lines().back()});
        ASSERT_EQ(back.status, 0) << back.err;
        EXPECT_EQ(back.Lines().end()[-2], "check: equals " + c.cbc_decrypt);
        EXPECT_EQ(back.Lines().back(), data);
    }
}

// A chained IV is carried through the trace as the export carries it.
TEST(Trace, CmacFromANonZeroIv) {
    for (const auto& [cipher, key, iv] :
         {std::tuple{"aes", std::string(32, '1'), std::string(32, '7')},
          std::tuple{"3tdes", std::string(48, '1'), std::string(16, '7')}}) {
        const Outcome run = RunTavik({"cmac", "--trace", "--cipher", cipher, "--key", key, "--iv",
                                      iv, std::string(70, 'A')});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Steps(run)[3].value, iv);
        const Outcome plain =
            RunTavik({"cmac", "--cipher", cipher, "--key", key, "--iv", iv, std::string(70, 'A')});
        EXPECT_EQ(run.Lines().back(), plain.Lines().back());
    }
}

// A build whose CBC and CMAC exports are wrong: the steps, made with its
// block exports, no longer end in what they return.
TEST(Trace, AFaultyExportFailsTheCheckLoudly) {
    const Outcome cbc = RunTavik({"--library", TAVIK_SKEWED_LIBRARY, "encrypt", "--trace",
                                  "--cipher", "3tdes", "--cbc", "--iv", std::string(16, '0'),
                                  "--key", std::string(48, '1'), std::string(32, '2')});
    EXPECT_EQ(cbc.status, kRefused);
    EXPECT_EQ(cbc.err,
              "CBC encryption through the block export and EnOrDecrypt_3DES_3KEY_CBC disagree!\n");
    EXPECT_EQ(cbc.out.find("check: equals"), std::string::npos);

    const Outcome cmac = RunTavik({"--library", TAVIK_SKEWED_LIBRARY, "cmac", "--trace", "--cipher",
                                   "aes", "--key", std::string(32, '1'), "00"});
    EXPECT_EQ(cmac.status, kRefused);
    EXPECT_NE(cmac.err.find(" and AES_CMAC disagree!"), std::string::npos) << cmac.err;
    // Untraced, the faulty answer is all there is to print.
    EXPECT_EQ(RunTavik({"--library", TAVIK_SKEWED_LIBRARY, "cmac", "--cipher", "aes", "--key",
                        std::string(32, '1'), "00"})
                  .status,
              0);
}

} // namespace
} // namespace tavik_tests
