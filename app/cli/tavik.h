// tavik: the library's command line over the window's core. What the program
// shares with its commands: the streams and options, the library bound when
// first needed, hex arguments declared with their label and bound, and one
// printer for every command's outcome.
#ifndef TAVIK_TAVIK_H
#define TAVIK_TAVIK_H

#include "card_operations.h"
#include "field_reading.h"
#include "operation_inputs.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::cli {

inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kWrongUsage = 2;

// Every tavik argument reads as the window reads a field, except that a
// lone last digit is refused.
inline constexpr OddDigits kOddDigits = OddDigits::refused;

// A trace step or a labelled value: what every command prints.
using card::Labelled;

// A hex option ("--key") or positional ("DATA"): how refusals name it and the
// most bytes it may hold; its text as typed, or standard input's for "-".
struct HexArgument {
    FieldSpec rule;
    std::string text;
    CLI::Option* option = nullptr;

    bool given() const { return option->count() != 0; }
};

class Session;

// One subcommand. Its hex arguments are read (standard input for the one
// given as "-") before what runs it is called.
class Command {
  public:
    Command(Session& session, CLI::App& app) : session_(session), app_(app) {}

    CLI::App& app() { return app_; }
    enum class Presence { required, optional };
    // A hex option ("--key") or positional ("DATA").
    HexArgument& Hex(const std::string& name, const FieldSpec& rule, const std::string& help,
                     Presence presence = Presence::required);
    // --trace: print the steps before the values.
    void TraceFlag(const std::string& help);
    void Run(std::function<int(Session&)> run);
    // Each argument in `arguments` checked and read, in the order given: the
    // first refusal ends the command with status 1.
    void RunOnBytes(std::vector<const HexArgument*> arguments,
                    std::function<int(Session&, const std::vector<Bytes>&)> run);

  private:
    int ReadStandardInput();

    Session& session_;
    CLI::App& app_;
    std::list<HexArgument> arguments_;
};

struct GlobalOptions {
    std::string library = kTavikAlgFileName; // a path with '/' is loaded as it is
    bool spaced = false;
    bool trace = false;
};

class Session {
  public:
    Session(std::istream& in, std::ostream& out, std::ostream& err)
        : in_(in), out_(out), err_(err) {}

    GlobalOptions options;
    std::optional<int> status; // set once a command has run

    // Binds as the window does at start-up: a failure shows the window's
    // message (and, for a file that cannot be loaded, its path and the
    // loader's reason on a second line) and ends the program with status 255.
    const TavikAlgBinding& Library();
    std::istream& in() { return in_; }

    // A subcommand with a one-line summary for `tavik --help` and the details
    // its own --help prints below the options.
    Command& AddCommand(CLI::App& tavik, const std::string& name, const std::string& summary,
                        std::string_view details);

    // The lines of card::TextOf on standard output; a refusal's message (or
    // a check failure's) on standard error, status 1. With --trace the steps
    // come first, a refusal's too.
    int Print(const card::CardOutcome& outcome);
    // An operation of the core: as above, its values DataOut and then the
    // CMAC field where that shows something else, after the steps and the
    // check of `trace`; a refused trace is printed as the refusal it is.
    int Print(const Outcome& outcome, card::CardOutcome trace = card::CardResult{});
    void PrintLine(std::string_view line);
    int Refuse(std::string_view message);
    // Upper-case hex, spaced between bytes with --spaced.
    std::string Hex(std::span<const std::uint8_t> bytes) const;

  private:
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    std::optional<TavikAlgBinding> library_;
    std::list<Command> commands_;
};

// The arguments most commands share.
inline constexpr FieldSpec kKey{.label = messages::kSessionKeyLabel};
inline constexpr FieldSpec kIv{.label = messages::kIvLabel};
inline constexpr FieldSpec kData{.label = messages::kDataInLabel, .capacity = kLongestMessage};
inline const std::string kKeyHelp{card::kKeyHelp};
inline const std::string kDataHelp{card::kDataHelp};
inline const std::string kTraceHelp =
    "Print every step, computed with the library's block exports, and check that they end in "
    "what the whole-message export returns";

// --cipher NAME, required unless the caller says otherwise: `take` is called
// with the cipher as soon as it is parsed.
enum class Offered { every_cipher, with_cmac };
CLI::Option* AddCipherOption(Command& command, Offered offered, std::function<void(Cipher)> take);

// The commands over the window's operations (commands.cpp), card practice
// from app/card's table of operations (card_commands.cpp), and verify.
void AddCommands(CLI::App& tavik, Session& session);
void AddCardCommands(CLI::App& tavik, Session& session);
void AddVerifyCommand(CLI::App& tavik, Session& session);

// A card operation run over the texts of its inputs and printed: status 2
// for a refusal of usage, 1 for any other.
int RunOperation(Session& session, const card::CardOperation& operation,
                 const card::InputTexts& texts);

// The traces (traces.cpp): the card operations' steps over the checked
// input, made with the block exports and checked against the whole-message
// export.
card::CardOutcome TraceCipher(const TavikAlgBinding& library, const CipherChoice& choice,
                              Direction direction, const CheckedFields& input);
card::CardOutcome TraceCmac(const TavikAlgBinding& library, Cipher cipher,
                            const CheckedFields& input);

} // namespace orvelin::cli

#endif
