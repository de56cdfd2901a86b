#include "card_practice_dlg.h"

#include "card_dialog_inputs.h"
#include "dialog_rows.h"
#include "outcome_text.h"
#include "resource.h"

#include <algorithm>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace card = orvelin::card;
namespace res = orvelin::res;

namespace {

std::string Joined(std::span<const std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text.append(text.empty() ? "" : "\n").append(line);
    }
    return text;
}

// The lines a trace adds: the traced text is those lines, then the answer's.
std::span<const std::string> TraceOnly(const card::OutcomeText& traced,
                                       const card::OutcomeText& answer) {
    const std::span<const std::string> lines = traced.lines;
    return lines.first(lines.size() - std::min(lines.size(), answer.lines.size()));
}

// A flag's text as RunCardOperation reads it.
std::string FlagText(bool checked) {
    return checked ? std::string(1, '1') : std::string();
}

// The table's titles name their family ("SCP02 C-MAC", "EMV ARQC") and its
// order keeps each family together.
std::vector<std::string> ChooserItems() {
    std::vector<std::string> items;
    for (const card::CardOperation& operation : card::CardOperations()) {
        items.emplace_back(operation.title);
    }
    return items;
}

} // namespace

CCardPracticeDlg::CCardPracticeDlg(const orvelin::TavikAlgBinding& library) : m_library(library) {
    for (const card::CardOperation& operation : card::CardOperations()) {
        m_inputs.emplace_back(operation.inputs.size());
    }
}

void CCardPracticeDlg::OpenBeside(orvelin::DialogView& owner) {
    orvelin::OpenModelessDialog(owner, res::CardPracticeDialogTemplate(), *this);
}

// Made anew at each opening, the dialog shows the operation and the inputs
// it showed when it closed.
void CCardPracticeDlg::OnInitDialog(orvelin::DialogView& view) {
    m_view = &view;
    const std::vector<std::string> items = ChooserItems();
    orvelin::SetListItems(view, res::IDC_CARD_OPERATION, items);
    orvelin::SelectIndex(view, res::IDC_CARD_OPERATION, static_cast<int>(m_chosen));
    ShowOperation();
    orvelin::SetFocusTo(view, res::IDC_CARD_OPERATION);
}

bool CCardPracticeDlg::OnCommand(int id) {
    switch (id) {
    case res::IDC_CARD_CALCULATE:
        OnBnClickedCalculate();
        return true;
    case res::IDC_CARD_EXAMPLE:
        OnBnClickedExample();
        return true;
    case res::IDC_CARD_FLAG_1:
    case res::IDC_CARD_FLAG_2:
        ReadInputs();
        ShowCommand();
        return true;
    default:
        return false;
    }
}

// Every edit is kept at once: the dialog may close without a word to the
// logic, and its inputs must be there when it opens again.
void CCardPracticeDlg::OnChange(int id) {
    if (id == res::IDC_CARD_OPERATION) {
        OnCbnSelchangeOperation();
        return;
    }
    ReadInputs();
    ShowCommand();
}

const card::CardOperation& CCardPracticeDlg::Chosen() const {
    return card::CardOperations()[m_chosen];
}

void CCardPracticeDlg::OnCbnSelchangeOperation() {
    const int index = orvelin::SelectedIndex(*m_view, res::IDC_CARD_OPERATION);
    if (index < 0 || static_cast<std::size_t>(index) >= m_inputs.size()) {
        orvelin::SelectIndex(*m_view, res::IDC_CARD_OPERATION, static_cast<int>(m_chosen));
        return;
    }
    ReadInputs(); // still the rows of the operation left
    m_chosen = static_cast<std::size_t>(index);
    ShowOperation();
}

// Only the chosen operation's rows are shown, each labelled as tavik names
// the input; the answer and source of another operation are cleared.
void CCardPracticeDlg::ShowOperation() {
    const card::CardOperation& operation = Chosen();
    std::set<int> hidden;
    for (const card::RowControl& row : card::RowControlsOf(operation)) {
        orvelin::SetVisible(*m_view, row.id, row.used);
        if (!row.used) {
            hidden.insert(row.id);
        }
    }
    orvelin::CloseUpHiddenRows(*m_view, res::CardPracticeDialogTemplate(), hidden);
    const std::vector<card::InputSlot> slots = card::SlotsOf(operation);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const card::OperationInput& input = operation.inputs[i];
        orvelin::SetControlText(*m_view, slots[i].label, std::string(input.label));
        if (input.kind == card::InputKind::word) {
            orvelin::SetListItems(*m_view, slots[i].control, card::WordItems(input));
        }
    }
    orvelin::SetEnabled(*m_view, res::IDC_CARD_EXAMPLE, card::FirstExample(operation).has_value());
    orvelin::SetControlText(*m_view, res::IDC_CARD_SOURCE, {});
    ShowAnswer({}, {});
    ShowInputs();
    ReadInputs(); // a list shows a word where nothing was typed yet
    ShowCommand();
}

void CCardPracticeDlg::ShowInputs() {
    const card::CardOperation& operation = Chosen();
    const std::vector<card::InputSlot> slots = card::SlotsOf(operation);
    const card::InputTexts& texts = ChosenInputs();
    for (std::size_t i = 0; i < slots.size() && i < texts.size(); ++i) {
        const int control = slots[i].control;
        switch (operation.inputs[i].kind) {
        case card::InputKind::hex:
        case card::InputKind::digits:
            orvelin::SetControlText(*m_view, control, texts[i]);
            break;
        case card::InputKind::word:
            orvelin::SelectIndex(*m_view, control, card::WordIndex(operation.inputs[i], texts[i]));
            break;
        case card::InputKind::flag:
            orvelin::SetChecked(*m_view, control, !texts[i].empty());
            break;
        }
    }
}

void CCardPracticeDlg::ReadInputs() {
    const card::CardOperation& operation = Chosen();
    const std::vector<card::InputSlot> slots = card::SlotsOf(operation);
    card::InputTexts& texts = ChosenInputs();
    for (std::size_t i = 0; i < slots.size() && i < texts.size(); ++i) {
        const int control = slots[i].control;
        if (control == 0) {
            continue; // no row to read it from: it stays as it was
        }
        switch (operation.inputs[i].kind) {
        case card::InputKind::hex:
        case card::InputKind::digits:
            texts[i] = orvelin::ControlText(*m_view, control);
            break;
        case card::InputKind::word:
            texts[i] = card::WordText(operation.inputs[i], orvelin::SelectedIndex(*m_view, control),
                                      texts[i]);
            break;
        case card::InputKind::flag:
            texts[i] = FlagText(orvelin::IsChecked(*m_view, control));
            break;
        }
    }
}

void CCardPracticeDlg::ShowCommand() {
    orvelin::SetControlText(*m_view, res::IDC_CARD_COMMAND,
                            card::CommandLine(Chosen(), ChosenInputs(), false));
}

void CCardPracticeDlg::ShowAnswer(const std::string& result, const std::string& steps) {
    orvelin::SetControlText(*m_view, res::IDC_CARD_RESULT, result);
    orvelin::SetControlText(*m_view, res::IDC_CARD_STEPS, steps);
}

// The answer is shown before any message box: a front end that cannot wait
// for the box returns at once, and the logic does nothing after it.
void CCardPracticeDlg::OnBnClickedCalculate() {
    ReadInputs();
    const card::CardOperation& operation = Chosen();
    const card::CardOutcome outcome = card::RunCardOperation(operation, &m_library, ChosenInputs());
    const card::OutcomeText answer = card::TextOf(outcome, {});
    const card::OutcomeText traced = card::TextOf(outcome, {.trace = true});
    ShowAnswer(Joined(answer.lines), operation.traced ? Joined(TraceOnly(traced, answer)) : "");
    if (answer.refusal) {
        orvelin::ShowMessageBox(*m_view, *answer.refusal);
    }
}

void CCardPracticeDlg::OnBnClickedExample() {
    std::optional<card::OperationExample> example = card::FirstExample(Chosen());
    if (!example) {
        return;
    }
    example->texts.resize(Chosen().inputs.size());
    ChosenInputs() = std::move(example->texts);
    ShowInputs();
    ReadInputs();
    orvelin::SetControlText(*m_view, res::IDC_CARD_SOURCE, example->source);
    ShowAnswer({}, {});
    ShowCommand();
}
