// tavik's card-practice commands, each made from its description in
// app/card's table: an option for each input (a word option through the
// case-insensitive word reader, a hex one that may read standard input), a
// family word ("desfire", "gp", "emv") above the commands that have one, and
// one run that hands the texts to the table's operation and prints it.
#include "tavik.h"

#include "card_operations.h"
#include "word_option.h"

#include <array>
#include <memory>

namespace orvelin::cli {
namespace {

struct Family {
    std::string_view word;
    std::string_view summary;
};

constexpr std::array<Family, 3> kFamilies = {{
    {"desfire", "DESFire EV2 / NTAG 424 DNA: session keys, MACt, data"},
    {"gp", "GlobalPlatform SCP02 and SCP03 sessions, SCP02 C-MAC"},
    {"emv", "EMV ICC master key, session key, ARQC, ARPC"},
}};

const std::string kStepsHelp = "Print every step before the result";

// The app a command goes under: tavik, or its family's word, made once;
// options the family does not know (--library, --spaced before the command)
// fall through to tavik.
CLI::App& Parent(CLI::App& tavik, const card::CardOperation& operation) {
    if (operation.command.size() == 1) {
        return tavik;
    }
    const std::string word(operation.command.front());
    const auto named = [&word](const CLI::App* app) { return app->get_name() == word; };
    if (const std::vector<CLI::App*> made = tavik.get_subcommands(named); !made.empty()) {
        return *made.front();
    }
    const auto* known = std::ranges::find(kFamilies, operation.command.front(), &Family::word);
    CLI::App* family =
        tavik.add_subcommand(word, known == kFamilies.end() ? "" : std::string(known->summary));
    family->require_subcommand(1);
    family->fallthrough();
    family->footer(tavik.get_footer());
    return *family;
}

// One input as parsed: a hex argument's text lives in the Command, which
// reads standard input for it; the others' here.
struct ParsedInput {
    const HexArgument* hex = nullptr;
    std::string text;
    bool flag = false;

    std::string Text() const {
        if (hex != nullptr) {
            return hex->text;
        }
        return flag ? "1" : text;
    }
};

void AddInput(Command& command, const card::OperationInput& input, ParsedInput& parsed) {
    const std::string name(input.option);
    switch (input.kind) {
    case card::InputKind::hex:
        parsed.hex = &command.Hex(name, input.rule, input.help,
                                  input.required ? Command::Presence::required
                                                 : Command::Presence::optional);
        return;
    case card::InputKind::word:
        command.app()
            .add_option(name, parsed.text, input.help)
            ->type_name(card::JoinedWords(input.words, "|"))
            ->transform(WordValidator(input.words))
            ->required(input.required);
        return;
    case card::InputKind::digits:
        command.app()
            .add_option(name, parsed.text, input.help)
            ->type_name(std::string(input.value_name))
            ->required(input.required);
        return;
    case card::InputKind::flag:
        command.app().add_flag(name, parsed.flag, input.help);
        return;
    }
}

void AddOperationCommand(CLI::App& tavik, Session& session, const card::CardOperation& operation) {
    Command& command =
        session.AddCommand(Parent(tavik, operation), std::string(operation.command.back()),
                           std::string(operation.summary), operation.details);
    // Sized once: the options keep pointers into it.
    auto parsed = std::make_shared<std::vector<ParsedInput>>(operation.inputs.size());
    for (std::size_t i = 0; i < operation.inputs.size(); ++i) {
        AddInput(command, operation.inputs[i], (*parsed)[i]);
    }
    if (operation.traced) {
        command.TraceFlag(operation.uses_library ? kTraceHelp : kStepsHelp);
    }
    command.Run([&operation, parsed](Session& s) {
        card::InputTexts texts;
        for (const ParsedInput& input : *parsed) {
            texts.push_back(input.Text());
        }
        return RunOperation(s, operation, texts);
    });
}

} // namespace

int RunOperation(Session& session, const card::CardOperation& operation,
                 const card::InputTexts& texts) {
    const TavikAlgBinding* library = operation.uses_library ? &session.Library() : nullptr;
    const card::CardOutcome outcome = card::RunCardOperation(operation, library, texts);
    const int status = session.Print(outcome);
    const auto* refusal = std::get_if<card::CardRefusal>(&outcome);
    return refusal != nullptr && card::IsUsageRefusal(*refusal) ? kWrongUsage : status;
}

void AddCardCommands(CLI::App& tavik, Session& session) {
    for (const card::CardOperation& operation : card::CardOperations()) {
        // An operation with fixed arguments is a choice of a command that
        // offers more (crc16 --type b), which registers it.
        if (operation.fixed.empty()) {
            AddOperationCommand(tavik, session, operation);
        }
    }
}

} // namespace orvelin::cli
