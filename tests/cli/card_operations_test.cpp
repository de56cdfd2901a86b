// The card operations' table, which tavik's card commands and the window's
// dialog are both made from: each operation's first published example run
// in-process prints the record's lines, and its command line, run through
// tavik, prints the same (with --trace, the steps the printer gives first).
#include "card_operations.h"
#include "cli_expect.h"
#include "outcome_text.h"
#include "published_examples.h"
#include "start_up.h"

#include <set>
#include <sstream>

namespace tavik_tests {
namespace {

namespace card = orvelin::card;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding =
        orvelin::BindAtStartUp(TAVIK_LIBRARY, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

// A command line's words after "tavik"; the examples' values need no quotes.
std::vector<std::string> Arguments(const std::string& line) {
    EXPECT_TRUE(line.starts_with("tavik ")) << line;
    EXPECT_EQ(line.find_first_of("\"'"), std::string::npos) << line;
    std::istringstream words(line.substr(6));
    std::vector<std::string> arguments;
    for (std::string word; words >> word;) {
        arguments.push_back(word);
    }
    return arguments;
}

TEST(CardOperations, EachFirstExampleInProcessAndThroughItsCommandLine) {
    std::set<std::string> lines;
    for (const card::CardOperation& operation : card::CardOperations()) {
        const std::string title(operation.title);
        const auto example = card::FirstExample(operation);
        ASSERT_TRUE(example) << title << ": no published example";
        EXPECT_FALSE(example->source.empty()) << title;
        const card::CardOutcome outcome =
            card::RunCardOperation(operation, &Library(), example->texts);
        const card::OutcomeText plain = card::TextOf(outcome, {});
        EXPECT_FALSE(plain.refusal) << title << ": " << plain.refusal.value_or("");
        EXPECT_EQ(plain.lines, example->printed) << title;

        const std::string line = card::CommandLine(operation, example->texts, false);
        EXPECT_TRUE(Printed(RunTavik(Arguments(line)), example->printed)) << line;
        lines.insert(line);
        if (operation.traced) {
            const std::string traced = card::CommandLine(operation, example->texts, true);
            EXPECT_TRUE(
                Printed(RunTavik(Arguments(traced)), card::TextOf(outcome, {.trace = true}).lines))
                << traced;
        }
    }
    EXPECT_EQ(lines.size(), card::CardOperations().size()) << "two operations, one command line";
}

// A record's source is the comment block nearest above it, records between
// them or not; "=" alone is an empty line printed.
TEST(CardOperations, ExampleRecordsAndTheirSources) {
    const auto records = card::ExampleRecords("# Header.\n\n# Doc 1,\n# section 2.\n"
                                              "tavik pad --method 2  AA\n= AA80\n=\n"
                                              "tavik unpad --method 2 AA80\n= AA\n"
                                              "#Other.\r\ntavik xor 01 02\r\n= 03\r\n");
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[0].source, "Doc 1, section 2.");
    EXPECT_EQ(records[0].words, (std::vector<std::string>{"pad", "--method", "2", "AA"}));
    EXPECT_EQ(records[0].printed, (std::vector<std::string>{"AA80", ""}));
    EXPECT_EQ(records[1].source, "Doc 1, section 2.");
    EXPECT_EQ(records[2].source, "Other.");
    EXPECT_EQ(records[2].printed, std::vector<std::string>{"03"});
}

// What the table refuses before an operation runs, and which refusals are
// wrong usage (tavik's status 2); the dialog shows the same messages.
TEST(CardOperations, RefusalsOfTheInputsAndOfUsage) {
    const struct {
        std::vector<std::string_view> command;
        card::InputTexts texts;
        std::string message;
        bool usage;
    } cases[] = {
        {{"mac"},
         {"1", "", "2", std::string(32, '1'), "", "", "00"},
         "MAC algorithm 1 needs --cipher.",
         true},
        {{"mac"},
         {"1", "rc2", "2", std::string(32, '1'), "", "", "00"},
         "--cipher: 'rc2' is not allowed; the values allowed: des, 2tdes, 3tdes, aes",
         true},
        {{"mac"},
         {"3", "", "2", std::string(32, '1'), "", "4x", "00"},
         "--length takes a decimal number, not '4x'.",
         true},
        {{"mac"}, {"", "", "2", "", "", "", "00"}, "--algorithm is required.", true},
        {{"pad"},
         {"2", "", "ABC"},
         orvelin::messages::OddDigitCount(orvelin::messages::kDataInLabel),
         false},
        {{"desfire", "mac"},
         {std::string(32, '1'), "9D00C4DF", "51", "", "", ""},
         "--counter is required.",
         true},
        // Out of range, not malformed: the operation's own range names it.
        {{"desfire", "mac"},
         {std::string(32, '1'), "9D00C4DF", "51", "-1", "", ""},
         "The counter must be from 0 to 65535!",
         false},
        {{"kcv"},
         {"aes", std::string(32, '1'), "zeros", "1", ""},
         "--cmac excludes --method.",
         true},
        {{"pad"}, {"2", ""}, "Precondition broken: one text for each input!", true},
    };
    for (const auto& c : cases) {
        const card::CardOperation* operation = card::FindCardOperation(c.command);
        ASSERT_NE(operation, nullptr) << c.command.front();
        const card::CardOutcome outcome = card::RunCardOperation(*operation, &Library(), c.texts);
        const auto* refusal = std::get_if<card::CardRefusal>(&outcome);
        ASSERT_NE(refusal, nullptr) << c.message;
        EXPECT_EQ(refusal->message, c.message);
        EXPECT_EQ(card::IsUsageRefusal(*refusal), c.usage) << c.message;
    }
}

// Inputs not given are left out, a required hex input given empty is "",
// and a value a shell would split or expand is quoted.
TEST(CardOperations, CommandLinesQuoteOnlyWhatNeedsIt) {
    const std::vector<std::string_view> cmac = {"gp", "scp02-cmac"};
    const std::vector<std::string_view> pad = {"pad"};
    const card::CardOperation& scp02_cmac = *card::FindCardOperation(cmac);
    const card::CardOperation& padding = *card::FindCardOperation(pad);
    EXPECT_EQ(card::CommandLine(scp02_cmac, {"40 41", "", "", "8482000010"}, true),
              "tavik gp scp02-cmac --key \"40 41\" 8482000010 --trace");
    EXPECT_EQ(card::CommandLine(scp02_cmac, {"40", "EB", "1", "$x 'y'"}, false),
              "tavik gp scp02-cmac --key 40 --icv EB --icv-encrypt '$x '\\''y'\\'''");
    EXPECT_EQ(card::CommandLine(padding, {"2", "", ""}, false), "tavik pad --method 2 \"\"");
}

} // namespace
} // namespace tavik_tests
