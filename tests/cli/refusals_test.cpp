// Every refusal with the window's message and status 1; wrong usage with 2;
// a library that cannot be bound with the window's message and 255.
#include "cli_expect.h"
#include "messages.h"
#include "vector_files.h"

#include <algorithm>

namespace tavik_tests {
namespace {

namespace messages = orvelin::messages;

const std::string kDesKey = "0123456789ABCDEF";
const std::string k2TdesKey = std::string(32, 'A');
const std::string k3TdesKey = std::string(48, 'A');
const std::string kAesKey = std::string(32, 'A');

std::string Zeros(std::size_t bytes) {
    return std::string(2 * bytes, '0');
}

testing::AssertionResult Refused(const std::vector<std::string>& arguments,
                                 std::string_view message, const std::string& input = {}) {
    return EndedWith(RunTavik(arguments, input), kRefused, std::string(message));
}

TEST(Refusals, KeyAndIvLengths) {
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "2tdes", "--key", kDesKey, Zeros(8)},
                        messages::kKeyLength16));
    EXPECT_TRUE(Refused({"decrypt", "--cipher", "3tdes", "--key", k2TdesKey, Zeros(8)},
                        messages::kKeyLength24));
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "aes", "--key", k3TdesKey, Zeros(16)},
                        messages::kKeyLength16));
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "des", "--key", "00112233445566", Zeros(8)},
                        messages::kDesKeyAtLeast8));
    EXPECT_TRUE(Refused(
        {"encrypt", "--cipher", "des", "--cbc", "--iv", Zeros(16), "--key", kDesKey, Zeros(8)},
        messages::kIvLength8));
    EXPECT_TRUE(Refused(
        {"decrypt", "--cipher", "aes", "--cbc", "--iv", Zeros(8), "--key", kAesKey, Zeros(16)},
        messages::kIvLength16));
    EXPECT_TRUE(Refused({"cmac", "--cipher", "aes", "--iv", Zeros(8), "--key", kAesKey, ""},
                        messages::kIvLength16));
    EXPECT_TRUE(
        Refused({"cmac", "--cipher", "3tdes", "--key", k2TdesKey, ""}, messages::kKeyLength24));
}

TEST(Refusals, NotHexDigitsNamedAsTheWindowNamesItsFields) {
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "des", "--key", "0123456789ABCDEG", Zeros(8)},
                        messages::NotHexDigits(messages::kSessionKeyLabel)));
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "des", "--key", kDesKey, "00112233445566x7"},
                        messages::NotHexDigits(messages::kDataInLabel)));
    EXPECT_TRUE(Refused({"decrypt", "--cipher", "des", "--cbc", "--iv", "00112233445566-7", "--key",
                         kDesKey, Zeros(8)},
                        messages::NotHexDigits(messages::kIvLabel)));
    EXPECT_TRUE(Refused({"crc16", "0x12"}, messages::NotHexDigits(messages::kDataInLabel)));
    EXPECT_TRUE(Refused({"xor", "0011", "00:11"}, messages::NotHexDigits("B")));
}

// The window's order: the key's length is checked before its digits, the
// digits before the data's blocks.
TEST(Refusals, InTheWindowsOrder) {
    EXPECT_TRUE(
        Refused({"encrypt", "--cipher", "2tdes", "--key", "ZZ", "0"}, messages::kKeyLength16));
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "aes", "--key", kAesKey, "0Z"},
                        messages::NotHexDigits(messages::kDataInLabel)));
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "des", "--key", "0011ZZ", "00"},
                        messages::NotHexDigits(messages::kSessionKeyLabel)));
}

TEST(Refusals, PartialBlocks) {
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "des", "--key", kDesKey, Zeros(4)},
                        messages::kDataMultipleOf8));
    EXPECT_TRUE(Refused(
        {"decrypt", "--cipher", "3tdes", "--cbc", "--iv", Zeros(8), "--key", k3TdesKey, Zeros(12)},
        messages::kDataMultipleOf8));
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "aes", "--key", kAesKey, Zeros(24)},
                        messages::kDataMultipleOf16));
}

// The window reads a lone last digit as one more byte; a script's dropped
// digit is refused instead, naming the argument, after the window's length
// checks.
TEST(Refusals, AnOddNumberOfDigitsInAnyArgument) {
    const struct {
        std::vector<std::string> arguments;
        std::string label;
    } cases[] = {
        {{"encrypt", "--cipher", "des", "--key", "0123456789ABCDE", "4E6F772069732074"},
         messages::kSessionKeyLabel.data()},
        {{"encrypt", "--cipher", "des", "--key", kDesKey, Zeros(8) + "1"},
         messages::kDataInLabel.data()},
        {{"decrypt", "--cipher", "aes", "--cbc", "--iv", Zeros(16).substr(1), "--key", kAesKey,
          Zeros(16)},
         messages::kIvLabel.data()},
        {{"cmac", "--cipher", "2tdes", "--key", k2TdesKey, "123"}, messages::kDataInLabel.data()},
        {{"kcv", "--cipher", "aes", "--key", kAesKey.substr(1)}, messages::kSessionKeyLabel.data()},
        {{"crc16", "12 3"}, messages::kDataInLabel.data()},
        {{"xor", "00", "0"}, "B"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Refused(c.arguments, messages::OddDigitCount(c.label))) << c.arguments.front();
    }
}

std::string LongerThan(const std::string& label, std::size_t limit) {
    return label + " length must not exceed " + std::to_string(limit) + " bytes!";
}

// Each export's limit is taken; one byte (or block) more is refused.
// Standard input carries the long texts.
TEST(Lengths, AtAndBeyondEachExportsLimit) {
    const std::string data = messages::kDataInLabel.data();
    const struct {
        std::vector<std::string> arguments;
        std::size_t limit;
        std::size_t step;
    } cases[] = {
        {{"encrypt", "--cipher", "des", "--key", kDesKey, "-"}, 65536, 8},
        {{"decrypt", "--cipher", "2tdes", "--cbc", "--iv", Zeros(8), "--key", k2TdesKey, "-"},
         65536,
         8},
        {{"encrypt", "--cipher", "aes", "--cbc", "--iv", Zeros(16), "--key", kAesKey, "-"},
         65520,
         16},
        {{"cmac", "--cipher", "2tdes", "--key", k2TdesKey, "-"}, 512, 1},
        {{"cmac", "--cipher", "3tdes", "--key", k3TdesKey, "-"}, 512, 1},
        {{"cmac", "--cipher", "aes", "--key", kAesKey, "-"}, 32767, 1},
        {{"crc32", "-"}, 65536, 1},
    };
    for (const auto& c : cases) {
        const Outcome at_limit = RunTavik(c.arguments, Zeros(c.limit));
        EXPECT_EQ(at_limit.status, 0) << c.arguments.front() << " " << at_limit.err;
        EXPECT_TRUE(Refused(c.arguments, LongerThan(data, c.limit), Zeros(c.limit + c.step)))
            << c.arguments.front() << " " << c.arguments[2];
    }
    EXPECT_TRUE(Refused({"xor", "00", "-"}, LongerThan("B", 65536), Zeros(65537)));
    // A key longer than the window's field.
    EXPECT_TRUE(Refused({"encrypt", "--cipher", "des", "--key", Zeros(257), Zeros(8)},
                        messages::TooLong(messages::kSessionKeyLabel)));
}

TEST(Lengths, LongMessagesRoundTrip) {
    std::string plain;
    for (int i = 0; i < 65520; ++i) {
        plain += "0123456789ABCDEF"[i % 16];
        plain += "FEDCBA9876543210"[i % 7];
    }
    for (const auto& [cipher, key, iv] :
         {std::tuple{"3tdes", k3TdesKey, Zeros(8)}, std::tuple{"aes", kAesKey, Zeros(16)}}) {
        const std::vector<std::string> options{"--cipher", cipher,  "--cbc", "--iv",
                                               iv,         "--key", key,     "-"};
        std::vector<std::string> encrypt{"encrypt"};
        encrypt.insert(encrypt.end(), options.begin(), options.end());
        const Outcome sealed = RunTavik(encrypt, plain);
        ASSERT_EQ(sealed.status, 0) << sealed.err;
        std::vector<std::string> decrypt{"decrypt"};
        decrypt.insert(decrypt.end(), options.begin(), options.end());
        EXPECT_TRUE(Printed(RunTavik(decrypt, sealed.out), {plain})) << cipher;
    }
}

testing::AssertionResult WrongUsage(const std::vector<std::string>& arguments) {
    const Outcome run = RunTavik(arguments);
    if (run.status != kWrongUsage || !run.out.empty() || run.err.empty()) {
        return testing::AssertionFailure() << "status " << run.status << "\n" << run.out << run.err;
    }
    return testing::AssertionSuccess();
}

TEST(Usage, WrongUsageEndsWithTwo) {
    EXPECT_TRUE(WrongUsage({}));
    EXPECT_TRUE(WrongUsage({"sign"}));
    EXPECT_TRUE(WrongUsage({"encrypt", "--cipher", "des", Zeros(8)}));
    EXPECT_TRUE(WrongUsage({"encrypt", "--cipher", "rc2", "--key", kDesKey, Zeros(8)}));
    EXPECT_TRUE(WrongUsage({"encrypt", "--cipher", "des", "--key", kDesKey}));
    EXPECT_TRUE(WrongUsage({"encrypt", "--cipher", "des", "--cbc", "--key", kDesKey, Zeros(8)}));
    EXPECT_TRUE(
        WrongUsage({"decrypt", "--cipher", "des", "--iv", Zeros(8), "--key", kDesKey, Zeros(8)}));
    EXPECT_TRUE(WrongUsage({"cmac", "--cipher", "des", "--key", kDesKey, Zeros(8)}));
    EXPECT_TRUE(WrongUsage({"crc16", "00", "11"}));
    EXPECT_TRUE(WrongUsage({"xor", "00"}));
    EXPECT_TRUE(WrongUsage({"verify"}));
    EXPECT_TRUE(WrongUsage({"verify", "/nonexistent/file.rsp"}));
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"xor", "-", "-"}, {"encrypt", "--cipher", "aes", "--key=-", "-"}}) {
        EXPECT_TRUE(EndedWith(RunTavik(arguments, "00112233445566778899aabbccddeeff"), kWrongUsage,
                              "Only one argument can read standard input ('-')."));
    }
    const std::string commands = "The commands: encrypt, decrypt, cmac, crc16, crc32, xor, pad, "
                                 "unpad, mac, kcv, diversify, desfire, gp, emv, verify.";
    EXPECT_TRUE(EndedWith(RunTavik({"sign"}), kWrongUsage, "Unknown command 'sign'. " + commands));
    EXPECT_TRUE(
        EndedWith(RunTavik({"--spaced"}), kWrongUsage, "A command is required. " + commands));
}

// Standard input is read only a little past the command's limit, however
// much is coming.
TEST(Pipes, EndlessStandardInputIsRefusedAtTheLimit) {
    for (const char* source :
         {" crc16 - < /dev/zero", " crc32 - < /dev/zero", " xor 00 - < /dev/zero"}) {
        const std::string label = std::string(source).find("xor") != std::string::npos
                                      ? "B"
                                      : messages::kDataInLabel.data();
        EXPECT_TRUE(EndedWith(RunShell(Quoted(TavikProgram()) + source), kRefused,
                              LongerThan(label, 65536)))
            << source;
    }
    EXPECT_TRUE(EndedWith(RunShell("yes '' | " + Quoted(TavikProgram()) +
                                   " cmac --cipher aes --key " + kAesKey + " -"),
                          kRefused, LongerThan(messages::kDataInLabel.data(), 32767)));
}

// A result that cannot be written is a failure, said on standard error.
TEST(Pipes, AFailedWriteToStandardOutputEndsWithOne) {
    const std::string file = testing_support::vector_path("tdes/TECBMMT1.rsp").string();
    for (const std::string& command :
         {std::string(" crc16 00"), " encrypt --cipher des --key " + kDesKey + " " + Zeros(8),
          " verify " + Quoted(file)}) {
        for (const char* redirection : {" > /dev/full", " >&-"}) {
            const Outcome run = RunShell(Quoted(TavikProgram()) + command + redirection);
            EXPECT_EQ(run.status, kRefused) << command << redirection;
            EXPECT_EQ(run.err, "tavik: standard output could not be written.\n")
                << command << redirection;
        }
    }
}

TEST(Pipes, StandardInputThroughARealPipe) {
    const Outcome run = RunShell("printf '4E6F7720 69732074\\r\\n' | " + Quoted(TavikProgram()) +
                                 " encrypt --cipher des --key 0123456789ABCDEF -");
    EXPECT_TRUE(Printed(run, {"3FA40E8A984D4815"}));
    // Each stage of a pipeline reads the last one's hex.
    const Outcome chain =
        RunShell("echo 4E6F772069732074 | " + Quoted(TavikProgram()) +
                 " encrypt --cipher des --key 0123456789ABCDEF - | " + Quoted(TavikProgram()) +
                 " decrypt --cipher des --key 0123456789ABCDEF -");
    EXPECT_TRUE(Printed(chain, {"4E6F772069732074"}));
    // Line breaks separate like spaces; the key may come from standard input too.
    EXPECT_TRUE(Printed(RunTavik({"encrypt", "--cipher", "des", "--key", "-", "4E6F772069732074"},
                                 "01234567\n89ABCDEF\n"),
                        {"3FA40E8A984D4815"}));
}

// A read error is not the end of the text: reading a folder fails.
TEST(Pipes, StandardInputThatCannotBeReadIsRefused) {
    EXPECT_TRUE(EndedWith(RunShell(Quoted(TavikProgram()) + " crc16 - < /"), kRefused,
                          "tavik: standard input could not be read."));
}

// The window's message first; then the file and the loader's reason.
testing::AssertionResult LoadFailed(const Outcome& run, const std::string& file) {
    const std::string first = messages::BindingFailure("lib_ver") + "\n" + file + ": ";
    if (run.status != kLibraryMissing || !run.out.empty() || !run.err.starts_with(first) ||
        run.err.size() <= first.size() + 1 ||
        std::count(run.err.begin(), run.err.end(), '\n') != 2) {
        return testing::AssertionFailure() << "status " << run.status << "\n" << run.out << run.err;
    }
    return testing::AssertionSuccess();
}

TEST(Library, MissingLibraryEndsWithTheWindowsMessageAnd255) {
    const std::string missing = "/nonexistent/libTAVIK_ALG.so";
    EXPECT_TRUE(LoadFailed(
        RunTavik({"--library", missing, "encrypt", "--cipher", "des", "--key", kDesKey, Zeros(8)}),
        missing));
    // The option may follow the command's name.
    EXPECT_TRUE(
        LoadFailed(RunTavik({"verify", "--library", missing, TavikProgram().string()}), missing));
    // A program with no library beside it, and none on the search path.
    const TempDir alone;
    const auto copy = alone.path() / "tavik";
    std::filesystem::copy_file(TavikProgram(), copy);
    EXPECT_TRUE(LoadFailed(RunProgram(copy, {"kcv", "--cipher", "des", "--key", kDesKey}),
                           "libTAVIK_ALG.so"));
    // The checksums need no library.
    EXPECT_TRUE(Printed(RunProgram(copy, {"crc16", "313233343536373839"}), {"05BF"}));
}

TEST(Library, ALibraryLackingAnExportIsNamed) {
    EXPECT_TRUE(EndedWith(RunTavik({"--library", TAVIK_LIBRARY_NO_AES_CMAC, "kcv", "--cipher",
                                    "des", "--key", kDesKey}),
                          kLibraryMissing, messages::BindingFailure("AES_CMAC")));
}

TEST(Library, AnotherBuildByPath) {
    EXPECT_TRUE(Printed(RunTavik({"--library", LibraryPath().string(), "encrypt", "--cipher", "des",
                                  "--key", kDesKey, "4E6F772069732074"}),
                        {"3FA40E8A984D4815"}));
}

} // namespace
} // namespace tavik_tests
