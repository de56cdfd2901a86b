// The lines a trace prints: a refusal that came after computing keeps its
// steps, and every value starts in one column, two spaces after the longest
// label, however long that is.
#include "card_messages.h"
#include "card_test_support.h"
#include "desfire.h"
#include "outcome_text.h"

namespace card_tests {
namespace {

using namespace orvelin::card;
using testing_support::from_hex;

// Each step's line is its label, spaces, then its hex, the hex starting two
// columns after the longest label of a step with a value.
void ExpectOneColumn(const std::vector<std::string>& lines, const std::vector<Labelled>& steps) {
    ASSERT_GE(lines.size(), steps.size());
    std::size_t longest = 0;
    for (const Labelled& step : steps) {
        longest = step.bytes.empty() ? longest : std::max(longest, step.label.size());
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].bytes.empty()) {
            EXPECT_EQ(lines[i], steps[i].label);
            continue;
        }
        const std::string hex = HexText(steps[i].bytes, false);
        EXPECT_EQ(lines[i].rfind(hex), longest + 2) << lines[i];
        EXPECT_EQ(lines[i].find_first_not_of(' ', steps[i].label.size()), longest + 2) << lines[i];
    }
}

TEST(OutcomeText, ALateRefusalKeepsItsStepsInOneColumn) {
    const Bytes key(16), ti(4);
    // A zero block encrypted from this channel's IV: it decrypts to no padding.
    const CardOutcome refused = DesfireDecrypt(Library(), {.key = key, .ti = ti},
                                               from_hex("A13820AC8E2E6DD4EE152EDAAAD05476"));
    const std::string message = RefusalOf(refused);
    EXPECT_EQ(message, messages::kUnpadNoMark);
    const auto& steps = std::get<CardRefusal>(refused).steps;
    CardResult kept;
    kept.steps = steps;
    EXPECT_EQ(StepNamed(kept, "padded"), Bytes(16)) << "the decrypted block";

    const OutcomeText traced = TextOf(refused, {.trace = true});
    EXPECT_EQ(traced.refusal, message);
    ExpectOneColumn(traced.lines, steps);
    EXPECT_EQ(traced.lines.size(), steps.size());
    EXPECT_TRUE(TextOf(refused, {}).lines.empty());
}

// "CMAC last masked K2" and "CMAC last chaining" are longer than any
// column a fixed width gave.
TEST(OutcomeText, LongLabelsWidenTheColumn) {
    const Bytes key(16), ti(4), code(1), data(3);
    const CardOutcome done = DesfireMac(Library(), {.key = key, .ti = ti}, code, data);
    const CardResult& result = Done(done);
    ASSERT_FALSE(StepNamed(result, "CMAC last masked K2").empty());
    const OutcomeText traced = TextOf(done, {.trace = true, .spaced = false});
    ExpectOneColumn(traced.lines, result.steps);
    ASSERT_EQ(traced.lines.size(), result.steps.size() + 2);
    EXPECT_EQ(traced.lines.end()[-2], "check: equals AES_CMAC");
    EXPECT_EQ(traced.lines.back(), HexText(result.values.at(0).bytes, false));
    EXPECT_FALSE(traced.refusal);
}

} // namespace
} // namespace card_tests
