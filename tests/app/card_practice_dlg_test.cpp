// The card-practice dialog's behaviour, on the fake view holding the controls
// of template 131, opened beside the main window's: every operation's first
// published example, refusals, the inputs kept per operation, and the rows
// each operation shows.
#include "card_dialog_inputs.h"
#include "card_messages.h"
#include "card_practice_dlg.h"
#include "fake_view.h"
#include "resource.h"
#include "start_up.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

namespace card = orvelin::card;
namespace res = orvelin::res;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text.append(text.empty() ? "" : "\n").append(line);
    }
    return text;
}

int IndexOf(std::vector<std::string_view> words) {
    const card::CardOperation* operation = card::FindCardOperation(words);
    EXPECT_NE(operation, nullptr) << words.front();
    return static_cast<int>(operation - card::CardOperations().data());
}

// The dialog as the operator drives it: a choice, an edit or a click reaches
// the logic as the toolkit reports it.
class CardDialog {
  public:
    CardDialog() { Open(); }

    void Open() {
        logic_.OpenBeside(owner_);
        view_ = owner_.modeless.at(&logic_).get();
    }
    void Close() { view_->closed = true; }

    void Choose(int operation) { Pick(res::IDC_CARD_OPERATION, operation); }
    void Pick(int list, int item) {
        view_->chosen[list] = item;
        logic_.OnChange(list);
    }
    void Type(int field, const std::string& text) {
        view_->texts[field] = text;
        logic_.OnChange(field);
    }
    void Click(int id) {
        if (id == res::IDC_CARD_FLAG_1 || id == res::IDC_CARD_FLAG_2) {
            view_->checks[id] = !view_->checks[id];
        }
        logic_.OnCommand(id);
    }

    std::string Text(int id) const {
        return view_->texts.contains(id) ? view_->texts.at(id) : std::string();
    }
    orvelin::DialogView& View() { return *view_; }
    orvelin::DialogView& Owner() { return owner_; }

  private:
    orvelin::DialogView owner_;
    CCardPracticeDlg logic_{Library()};
    orvelin::DialogView* view_ = nullptr;
};

TEST(CardPracticeDialog, EveryOperationsExampleThenCalculateShowsItsPublishedLines) {
    CardDialog dialog;
    const auto operations = card::CardOperations();
    ASSERT_EQ(dialog.View().items.at(res::IDC_CARD_OPERATION).size(), operations.size());
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const auto example = card::FirstExample(operations[i]);
        ASSERT_TRUE(example.has_value()) << operations[i].title;
        dialog.Choose(static_cast<int>(i));
        dialog.Click(res::IDC_CARD_EXAMPLE);
        EXPECT_EQ(dialog.Text(res::IDC_CARD_SOURCE), example->source);
        // The example's words and flags come back from the lists and boxes.
        EXPECT_EQ(dialog.Text(res::IDC_CARD_COMMAND),
                  card::CommandLine(operations[i], example->texts, false));
        dialog.Click(res::IDC_CARD_CALCULATE);
        EXPECT_EQ(dialog.Text(res::IDC_CARD_RESULT), Joined(example->printed))
            << operations[i].title;
        EXPECT_EQ(dialog.Text(res::IDC_CARD_STEPS).empty(), !operations[i].traced)
            << operations[i].title;
    }
    EXPECT_TRUE(dialog.View().messages.empty());
}

// A refusal read from the inputs carries no steps; one met once the data was
// decrypted keeps them.
TEST(CardPracticeDialog, ARefusalClearsTheResultShowsItsMessageOnceAndTheStepsItKept) {
    struct Case {
        std::vector<std::string_view> operation;
        std::function<void(CardDialog&)> change;
        std::string message;
        bool steps;
    };
    const std::vector<Case> cases = {
        {{"desfire", "session"},
         [](CardDialog& d) { d.Type(res::IDC_CARD_FIELD_1, "00"); },
         "The key must be 16 bytes!",
         false},
        {{"desfire", "session"},
         [](CardDialog& d) { d.Type(res::IDC_CARD_FIELD_2, "0G"); },
         "RndA must hold hex digits only!",
         false},
        {{"mac"},
         [](CardDialog& d) { d.Pick(res::IDC_CARD_CHOICE_2, 0); }, // cipher not given
         "MAC algorithm 1 needs --cipher.",
         false},
        {{"desfire", "decrypt"},
         [](CardDialog& d) { d.Type(res::IDC_CARD_FIELD_1, std::string(32, '0')); },
         std::string(card::messages::kUnpadAfterMark),
         true},
    };
    CardDialog dialog;
    for (const Case& c : cases) {
        dialog.Choose(IndexOf(c.operation));
        dialog.Click(res::IDC_CARD_EXAMPLE);
        dialog.Click(res::IDC_CARD_CALCULATE);
        ASSERT_FALSE(dialog.Text(res::IDC_CARD_RESULT).empty());
        c.change(dialog);
        const auto shown = dialog.View().messages.size();
        dialog.Click(res::IDC_CARD_CALCULATE);
        ASSERT_EQ(dialog.View().messages.size(), shown + 1) << c.message;
        EXPECT_EQ(dialog.View().messages.back(), c.message);
        EXPECT_EQ(dialog.Text(res::IDC_CARD_RESULT), "");
        EXPECT_EQ(dialog.Text(res::IDC_CARD_STEPS).empty(), !c.steps) << c.message;
    }
}

TEST(CardPracticeDialog, EachOperationKeepsWhatWasTypedChosenAndTickedAcrossSwitchesAndReopening) {
    const int mac = IndexOf({"mac"});
    const int scp02_cmac = IndexOf({"gp", "scp02-cmac"});
    CardDialog dialog;
    dialog.Choose(mac);
    dialog.Type(res::IDC_CARD_FIELD_1, "0123456789abcdef");
    dialog.Pick(res::IDC_CARD_CHOICE_2, 1);
    const std::string mac_command = dialog.Text(res::IDC_CARD_COMMAND);
    EXPECT_NE(mac_command.find("0123456789abcdef"), std::string::npos) << mac_command;
    dialog.Choose(scp02_cmac);
    dialog.Click(res::IDC_CARD_FLAG_1);
    const std::string cmac_command = dialog.Text(res::IDC_CARD_COMMAND);
    dialog.Type(res::IDC_CARD_FIELD_1, "404142434445464748494A4B4C4D4E4F");
    dialog.Choose(mac);
    EXPECT_EQ(dialog.Text(res::IDC_CARD_FIELD_1), "0123456789abcdef");
    EXPECT_EQ(dialog.View().chosen.at(res::IDC_CARD_CHOICE_2), 1);
    EXPECT_EQ(dialog.Text(res::IDC_CARD_COMMAND), mac_command);
    dialog.Close();
    dialog.Open(); // made anew, on the operation it showed
    EXPECT_EQ(dialog.View().chosen.at(res::IDC_CARD_OPERATION), mac);
    EXPECT_EQ(dialog.Text(res::IDC_CARD_COMMAND), mac_command);
    dialog.Choose(scp02_cmac);
    EXPECT_TRUE(dialog.View().checks.at(res::IDC_CARD_FLAG_1));
    EXPECT_EQ(dialog.Text(res::IDC_CARD_FIELD_1), "404142434445464748494A4B4C4D4E4F");
    EXPECT_NE(dialog.Text(res::IDC_CARD_COMMAND), cmac_command);
    EXPECT_TRUE(dialog.View().messages.empty());
}

TEST(CardPracticeDialog, OpeningItAgainWhileOpenBringsItToTheFront) {
    CardDialog dialog;
    orvelin::DialogView* const first = &dialog.View();
    dialog.Open();
    EXPECT_EQ(&dialog.View(), first);
    EXPECT_EQ(dialog.Owner().raised, 1);
    EXPECT_EQ(dialog.View().focus, res::IDC_CARD_OPERATION);
}

const std::vector<std::span<const int>> kRows = {res::kCardFieldLabels, res::kCardFields,
                                                 res::kCardChoiceLabels, res::kCardChoices,
                                                 res::kCardFlags};

// Each operation shows one row per input, in its order and labelled with the
// input's label; every other row is hidden, and no input is left without one.
TEST(CardPracticeDialog, OnlyTheChosenOperationsRowsAreShownEachLabelledAsTavikNamesIt) {
    CardDialog dialog;
    const auto operations = card::CardOperations();
    for (std::size_t i = 0; i < operations.size(); ++i) {
        dialog.Choose(static_cast<int>(i));
        const card::CardOperation& operation = operations[i];
        std::vector<int> shown;
        for (const auto ids : kRows) {
            std::ranges::copy_if(ids, std::back_inserter(shown),
                                 [&](int id) { return !dialog.View().hidden.contains(id); });
        }
        std::vector<int> expected;
        const auto slots = card::SlotsOf(operation);
        for (std::size_t input = 0; input < slots.size(); ++input) {
            ASSERT_NE(slots[input].control, 0)
                << operation.title << ": no row for input " << operation.inputs[input].label;
            EXPECT_EQ(dialog.Text(slots[input].label), operation.inputs[input].label);
            expected.push_back(slots[input].control);
            if (slots[input].label != slots[input].control) {
                expected.push_back(slots[input].label);
            }
        }
        std::ranges::sort(shown);
        std::ranges::sort(expected);
        EXPECT_EQ(shown, expected) << operation.title;
    }
}

// The hidden rows close up: above each shown row there is no more room than
// the template's margin (7 units), and the dialog ends that far below the last.
TEST(CardPracticeDialog, TheShownRowsCloseUpAndTheDialogEndsBelowTheLast) {
    CardDialog dialog;
    const auto& controls = res::CardPracticeDialogTemplate().controls;
    for (std::size_t i = 0; i < card::CardOperations().size(); ++i) {
        dialog.Choose(static_cast<int>(i));
        const orvelin::DialogView& view = dialog.View();
        std::vector<std::pair<int, int>> spans; // top, bottom
        for (const res::ControlTemplate& control : controls) {
            if (!view.hidden.contains(control.id)) {
                const auto moved = view.moved_to.find(control.id);
                const int top =
                    moved == view.moved_to.end() ? control.rect.y : moved->second.second;
                spans.emplace_back(top, top + control.rect.height);
            }
        }
        std::ranges::sort(spans);
        int bottom = 0;
        for (const auto& [top, span_bottom] : spans) {
            EXPECT_LE(top - bottom, 7) << card::CardOperations()[i].title << ", at " << top;
            bottom = std::max(bottom, span_bottom);
        }
        EXPECT_EQ(view.size.second - bottom, 7) << card::CardOperations()[i].title;
    }
}

} // namespace
