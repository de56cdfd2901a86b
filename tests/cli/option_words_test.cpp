// The word-valued options: every word of every command, typed in upper or
// mixed case, gives exactly its lower-case answer, and the words of one
// option give different answers; a word outside an option's table is wrong
// usage that names the words allowed.
#include "cli_expect.h"

#include <map>
#include <set>

namespace tavik_tests {
namespace {

const std::string kDesKey = "0123456789ABCDEF";
const std::string k2TdesKey = "0123456789ABCDEFFEDCBA9876543210";
const std::string k3TdesKey = k2TdesKey + "89ABCDEF01234567";
const std::string kAesKey = "2B7E151628AED2A6ABF7158809CF4F3C";

// One run of a word; "@" stands for it among the arguments.
struct WordRun {
    std::string word;
    std::vector<std::string> arguments;
};

std::vector<WordRun> CipherRuns() {
    const std::pair<std::string, std::string> ciphers[] = {
        {"des", kDesKey}, {"2tdes", k2TdesKey}, {"3tdes", k3TdesKey}, {"aes", kAesKey}};
    std::vector<WordRun> runs;
    for (const auto& [cipher, key] : ciphers) {
        const std::string block(cipher == "aes" ? 32 : 16, '0');
        for (const std::string command : {"encrypt", "decrypt"}) {
            runs.push_back({cipher, {command, "--cipher", "@", "--key", key, block}});
        }
        runs.push_back({cipher, {"kcv", "--cipher", "@", "--key", key}});
        runs.push_back(
            {cipher,
             {"mac", "--algorithm", "1", "--cipher", "@", "--padding", "2", "--key", key, "00"}});
        if (cipher != "des") {
            runs.push_back({cipher, {"cmac", "--cipher", "@", "--key", key, "00"}});
            runs.push_back({cipher, {"diversify", "--cipher", "@", "--key", key, "04"}});
        }
    }
    return runs;
}

std::vector<WordRun> OtherRuns() {
    std::vector<WordRun> runs;
    for (const std::string method : {"zeros", "gp", "cmac", "cmac-empty"}) {
        runs.push_back({method, {"kcv", "--cipher", "aes", "--method", "@", "--key", kAesKey}});
    }
    for (const std::string type : {"a", "b"}) {
        runs.push_back({type, {"crc16", "--type", "@", "313233"}});
    }
    for (const std::string method : {"1", "2", "3"}) {
        runs.push_back({method, {"pad", "--method", "@", "AA"}});
        runs.push_back(
            {method, {"mac", "--algorithm", "3", "--padding", "@", "--key", k2TdesKey, "AA"}});
    }
    runs.push_back({"2", {"unpad", "--method", "@", "AA80000000000000"}});
    runs.push_back({"3", {"unpad", "--method", "@", "0000000000000010AABB000000000000"}});
    for (const std::string block : {"8", "16"}) {
        runs.push_back({block, {"pad", "--method", "2", "--block", "@", "AA"}});
    }
    // Over two blocks: over one, the retail MAC is two-key triple DES's CBC-MAC.
    const std::string two_blocks = "00112233445566778899";
    runs.push_back({"1",
                    {"mac", "--algorithm", "@", "--cipher", "2tdes", "--padding", "2", "--key",
                     k2TdesKey, two_blocks}});
    runs.push_back(
        {"3", {"mac", "--algorithm", "@", "--padding", "2", "--key", k2TdesKey, two_blocks}});
    for (const std::string padding : {"1", "2"}) {
        runs.push_back({padding, {"emv", "arqc", "--key", k2TdesKey, "--padding", "@", "AA"}});
    }
    return runs;
}

std::vector<std::string> Typed(std::vector<std::string> arguments, const std::string& word) {
    std::replace(arguments.begin(), arguments.end(), std::string("@"), word);
    return arguments;
}

std::string Mixed(std::string word) {
    for (std::size_t i = 0; i < word.size(); i += 2) {
        word[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[i])));
    }
    return word;
}

TEST(OptionWords, EveryWordInAnyCaseGivesItsLowerCaseAnswer) {
    std::vector<WordRun> runs = CipherRuns();
    const std::vector<WordRun> others = OtherRuns();
    runs.insert(runs.end(), others.begin(), others.end());
    // Per command and option, the answers of its words.
    std::map<std::string, std::set<std::string>> answers;
    std::map<std::string, std::size_t> words;
    for (const WordRun& run : runs) {
        const auto at = std::find(run.arguments.begin(), run.arguments.end(), "@");
        const std::string option = run.arguments.front() + " " + *(at - 1);
        const Outcome lower = RunTavik(Typed(run.arguments, run.word));
        ASSERT_TRUE(lower.status == 0 && lower.err.empty() && !lower.out.empty())
            << option << " " << run.word << ": " << lower.err;
        for (const std::string& typed : {Upper(run.word), Mixed(run.word)}) {
            const Outcome other = RunTavik(Typed(run.arguments, typed));
            EXPECT_EQ(other.status, 0) << option << " " << typed << ": " << other.err;
            EXPECT_EQ(other.out, lower.out) << option << " " << typed;
        }
        answers[option].insert(lower.out);
        ++words[option];
    }
    for (const auto& [option, count] : words) {
        EXPECT_EQ(answers[option].size(), count) << option << ": two words, one answer";
    }
}

TEST(OptionWords, AWordOutsideTheTableIsWrongUsageNamingTheWords) {
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"encrypt", "--cipher", "rc2", "--key", kDesKey, "00"},
         "--cipher: 'rc2' is not allowed; the values allowed: des, 2tdes, 3tdes, aes"},
        // The enumeration's number is not a word.
        {{"encrypt", "--cipher", "3", "--key", kAesKey, "00"},
         "--cipher: '3' is not allowed; the values allowed: des, 2tdes, 3tdes, aes"},
        {{"cmac", "--cipher", "DES", "--key", kDesKey, "00"},
         "--cipher: 'DES' is not allowed; the values allowed: 2tdes, 3tdes, aes"},
        {{"kcv", "--cipher", "aes", "--method", "zero", "--key", kAesKey},
         "--method: 'zero' is not allowed; the values allowed: zeros, gp, cmac, cmac-empty"},
        {{"emv", "arqc", "--key", k2TdesKey, "--padding", "3", "00"},
         "--padding: '3' is not allowed; the values allowed: 1, 2"},
        {{"pad", "--method", "2", "--block", "08", "00"},
         "--block: '08' is not allowed; the values allowed: 8, 16"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(EndedWith(RunTavik(c.arguments), kWrongUsage,
                              c.message + "\nRun with --help for more information."));
    }
}

} // namespace
} // namespace tavik_tests
