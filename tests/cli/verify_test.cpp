// tavik verify: every vendored NIST file passes; a corrupted copy, a file
// that is not one, or a faulty build fails.
#include "cli_expect.h"
#include "vector_files.h"

#include <regex>

namespace tavik_tests {
namespace {

std::vector<std::string> VendoredResponseFiles() {
    std::vector<std::string> files;
    const auto dir = testing_support::vector_dir();
    if (dir) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(*dir)) {
            if (entry.path().extension() == ".rsp") {
                files.push_back(entry.path().string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct FileLine {
    std::size_t passed;
    std::size_t failed;
    std::size_t skipped;
};

std::optional<FileLine> Counts(const std::string& line, const std::string& file) {
    static const std::regex counts(R"(: (\d+) passed, (\d+) failed, (\d+) skipped)");
    std::smatch match;
    if (line.rfind(file + ": ", 0) != 0 || !std::regex_search(line, match, counts)) {
        return std::nullopt;
    }
    return FileLine{std::stoul(match[1]), std::stoul(match[2]), std::stoul(match[3])};
}

TEST(Verify, EveryVendoredResponseFilePasses) {
    const auto files = VendoredResponseFiles();
    ASSERT_GE(files.size(), 33U) << "vector folder: " << ORVELIN_VECTOR_DIR;
    std::vector<std::string> arguments{"verify"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    const Outcome run = RunTavik(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto lines = run.Lines();
    ASSERT_EQ(lines.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto counts = Counts(lines[i], files[i]);
        ASSERT_TRUE(counts) << lines[i];
        EXPECT_GT(counts->passed, 0U) << lines[i];
        EXPECT_EQ(counts->failed, 0U) << lines[i];
    }
}

// 16 of its 96 records hold 65536-byte messages, over AES_CMAC's limit.
TEST(Verify, SkipsWhatNoExportTakesAndSaysWhy) {
    const auto file = testing_support::vector_path("cmac/CMACGenAES128.rsp").string();
    const Outcome run = RunTavik({"verify", file});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto lines = run.Lines();
    ASSERT_EQ(lines.size(), 1U);
    const std::string& line = lines.front();
    EXPECT_TRUE(line.starts_with(file + ": 80 passed, 0 failed, 16 skipped")) << line;
    EXPECT_NE(line.find("[16 skipped: AES_CMAC takes at most 32767 bytes; the message has 65536]"),
              std::string::npos)
        << line;
    EXPECT_NE(line.find("Mlen 0 read as the empty message"), std::string::npos) << line;
    EXPECT_NE(line.find("Tlen 4 compared on the MAC's leftmost bytes"), std::string::npos) << line;
}

// A copy of `relative` with the first occurrence of `field = value` changed
// in its last hex digit.
std::filesystem::path CorruptedCopy(const TempDir& dir, const std::string& relative,
                                    const std::string& field) {
    std::string text = ReadText(testing_support::vector_path(relative));
    const std::size_t at = text.find(field + " = ");
    EXPECT_NE(at, std::string::npos);
    const std::size_t last_digit = text.find_first_of("\r\n", at) - 1;
    text[last_digit] = text[last_digit] == '0' ? '1' : '0';
    const auto copy = dir.path() / std::filesystem::path(relative).filename();
    WriteText(copy, text);
    return copy;
}

TEST(Verify, ACorruptedCopyFails) {
    const TempDir dir;
    for (const auto& [relative, field, records] :
         {std::tuple{"tdes/TCBCMMT3.rsp", "CIPHERTEXT", 20},
          std::tuple{"aes/ECBMMT128.rsp", "PLAINTEXT", 20},
          std::tuple{"cmac/CMACGenTDES2.rsp", "Mac", 96}}) {
        const auto copy = CorruptedCopy(dir, relative, field).string();
        const Outcome run = RunTavik({"verify", copy});
        EXPECT_EQ(run.status, kRefused) << relative;
        ASSERT_EQ(run.Lines().size(), 1U);
        const auto counts = Counts(run.Lines().front(), copy);
        ASSERT_TRUE(counts) << run.out;
        EXPECT_EQ(counts->failed, 1U) << run.out;
        EXPECT_EQ(counts->passed, static_cast<std::size_t>(records - 1)) << run.out;
        // The failed record is named, with what the export gave.
        EXPECT_NE(run.err.find(copy + ":"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("COUNT 0: "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(" gives "), std::string::npos) << run.err;
    }
}

TEST(Verify, OneFailingFileAmongPassingOnesFailsTheRun) {
    const TempDir dir;
    const auto good = testing_support::vector_path("tdes/TECBMMT1.rsp").string();
    const auto bad = CorruptedCopy(dir, "tdes/TECBMMT3.rsp", "PLAINTEXT").string();
    const Outcome run = RunTavik({"verify", good, bad, good});
    EXPECT_EQ(run.status, kRefused);
    EXPECT_EQ(run.Lines().size(), 3U);
}

TEST(Verify, FilesThatAreNotResponseFilesFail) {
    const TempDir dir;
    const auto empty = dir.path() / "empty.rsp";
    WriteText(empty, "# nothing but a comment\r\n");
    const Outcome none = RunTavik({"verify", empty.string()});
    EXPECT_EQ(none.status, kRefused);
    EXPECT_EQ(none.out, empty.string() + ": no CAVP records read\n");

    const auto odd = dir.path() / "odd.rsp";
    WriteText(odd, "[ENCRYPT]\nCOUNT = 0\nKEY = 00112233445566778899aabbccddeeff\nTHIS LINE\n\n"
                   "COUNT = 1\nKEY = 00112233445566778899aabbccddeeff\nNONCE = 00\n\n"
                   "COUNT = 2\nKEY = 001122334455667788\nPLAINTEXT = 00\nCIPHERTEXT = 00\n");
    const Outcome run = RunTavik({"verify", odd.string()});
    EXPECT_EQ(run.status, kRefused);
    EXPECT_TRUE(run.out.starts_with(odd.string() + ": 0 passed, 3 failed, 0 skipped")) << run.out;
    EXPECT_NE(run.err.find("line 4 is not NAME = value"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("neither a block-cipher record"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("an AES key of 9 bytes"), std::string::npos) << run.err;
}

// FIPS 197 C.1 and RFC 4493's empty-message MAC, each followed by a damaged
// record: the good one passes, the damaged one fails with its line.
TEST(Verify, AMalformedRecordFailsWithItsLine) {
    const std::string aes = "[ENCRYPT]\nCOUNT = 0\nKEY = 000102030405060708090a0b0c0d0e0f\n"
                            "PLAINTEXT = 00112233445566778899aabbccddeeff\n"
                            "CIPHERTEXT = 69c4e0d86a7b0430d8cdb78070b4c55a\n\nCOUNT = 1\n";
    const std::string cmac = "Mlen = 0\nTlen = 16\n"
                             "Key = 2b7e151628aed2a6abf7158809cf4f3c\nMsg = 00\n"
                             "Mac = bb1d6929e95937287fa37d129b756746\n\nCount = 1\n";
    const struct {
        std::string name;
        std::string text;
        std::string reason;
    } cases[] = {
        {"a DES block one byte short",
         aes +
             "KEYs = 0123456789ABCDEF\nPLAINTEXT = 4E6F7720697320\nCIPHERTEXT = 3FA40E8A984D4815\n",
         "Data length must be a multiple of 8 bytes!"},
        {"an AES key one byte short",
         aes + "KEY = 0102030405060708090a0b0c0d0e0f\nPLAINTEXT = " + std::string(32, '0') +
             "\nCIPHERTEXT = " + std::string(32, '0') + "\n",
         "an AES key of 15 bytes"},
        {"empty PLAINTEXT and CIPHERTEXT",
         aes + "KEY = 000102030405060708090a0b0c0d0e0f\nPLAINTEXT =\nCIPHERTEXT =\n",
         "an empty PLAINTEXT or CIPHERTEXT"},
        {"an odd digit count",
         aes + "KEY = 000102030405060708090a0b0c0d0e0f\nPLAINTEXT = " + std::string(31, '0') +
             "\nCIPHERTEXT = " + std::string(32, '0') + "\n",
         "PLAINTEXT must hold an even number of hex digits!"},
        {"a repeated field",
         aes + "KEY = 000102030405060708090a0b0c0d0e0f\nKEY = 000102030405060708090a0b0c0d0e0f\n",
         "line 9 repeats KEY"},
        {"a missing field", aes + "KEY = 000102030405060708090a0b0c0d0e0f\nPLAINTEXT = 00\n",
         "neither a block-cipher record"},
        {"an IV of the wrong length",
         aes + "KEY = 000102030405060708090a0b0c0d0e0f\nIV = 00\nPLAINTEXT = " +
             std::string(32, '0') + "\nCIPHERTEXT = " + std::string(32, '0') + "\n",
         "IV length must be 16 bytes!"},
        {"Tlen 0 with an empty Mac",
         cmac + "Klen = 16\nMlen = 0\nTlen = 0\nKey = 2b7e151628aed2a6abf7158809cf4f3c\n"
                "Msg = 00\nMac =\n",
         "Tlen 0"},
        {"Mlen 0 with a message",
         cmac + "Klen = 16\nMlen = 0\nTlen = 16\nKey = 2b7e151628aed2a6abf7158809cf4f3c\n"
                "Msg = 0011\nMac = bb1d6929e95937287fa37d129b756746\n",
         "does not hold Mlen or Tlen bytes"},
        {"a Mac longer than Tlen",
         cmac + "Klen = 16\nMlen = 0\nTlen = 4\nKey = 2b7e151628aed2a6abf7158809cf4f3c\n"
                "Msg = 00\nMac = bb1d6929e9\n",
         "does not hold Mlen or Tlen bytes"},
    };
    const TempDir dir;
    for (const auto& c : cases) {
        const auto file = (dir.path() / "damaged.rsp").string();
        WriteText(file, c.text);
        const Outcome run = RunTavik({"verify", file});
        EXPECT_EQ(run.status, kRefused) << c.name;
        EXPECT_TRUE(run.out.starts_with(file + ": 1 passed, 1 failed, 0 skipped"))
            << c.name << run.out;
        EXPECT_TRUE(run.err.starts_with(file + ":7: ")) << c.name << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << run.err;
    }
}

TEST(Verify, AFaultyBuildFails) {
    const auto file = testing_support::vector_path("tdes/TCBCMMT3.rsp").string();
    const Outcome run = RunTavik({"verify", "--library", TAVIK_SKEWED_LIBRARY, file});
    EXPECT_EQ(run.status, kRefused);
    // Its encryption answers are wrong; its decryption answers are wrong too.
    EXPECT_TRUE(run.out.starts_with(file + ": 0 passed, 20 failed")) << run.out;
    EXPECT_NE(run.err.find("EnOrDecrypt_3DES_3KEY_CBC gives "), std::string::npos) << run.err;
}

} // namespace
} // namespace tavik_tests
