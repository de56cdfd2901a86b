// tavik: the program, its options, the library, hex arguments and printing.
#include "tavik.h"

#include "outcome_text.h"
#include "start_up.h"
#include "version.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iostream>

namespace orvelin::cli {
namespace {

constexpr std::string_view kDescription =
    "tavik: the Orvelin window's cipher, MAC and checksum answers on the command line, from the "
    "same core and the same run-time-loaded TAVIK_ALG library. Hex arguments follow the "
    "window's rule (spaces allowed, either case) but must hold an even number of digits; - reads "
    "one of them from standard input. Words that name a choice (--cipher AES) may be typed in any "
    "case. Results are upper-case hex on standard output, one per "
    "line; refusals, with the window's messages, go to standard error.";

constexpr std::string_view kFooter =
    "Exit status: 0 done, 1 refused (or a check or record failed, or the output could not be "
    "written), 2 wrong usage, 255 the library could not be loaded or bound (with the window's "
    "message). Run 'tavik COMMAND --help' for each command.";

constexpr std::string_view kStandardInput = "-";
constexpr std::string_view kStandardInputOnce = "Only one argument can read standard input ('-').";
constexpr std::string_view kOutputFailed = "tavik: standard output could not be written.";
constexpr std::string_view kInputFailed = "tavik: standard input could not be read.";

constexpr std::size_t kHelpWidth = 79;

// Help text is printed as given: a paragraph broken into lines here.
std::string Wrapped(std::string_view text) {
    std::string wrapped;
    std::size_t line_length = 0;
    while (!text.empty()) {
        const std::size_t word_end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, word_end);
        if (line_length != 0 && line_length + 1 + word.size() > kHelpWidth) {
            wrapped += '\n';
            line_length = 0;
        } else if (line_length != 0) {
            wrapped += ' ';
            ++line_length;
        }
        wrapped += word;
        line_length += word.size();
        text.remove_prefix(std::min(word_end + 1, text.size()));
    }
    return wrapped;
}

// Why standard input gave no text.
enum class InputProblem { too_long, unreadable };

// Standard input's text with line breaks and tabs read as spaces. Refused
// once it holds more digits than `capacity` bytes take, or far more spaces,
// so that an endless stream is refused early; and when the stream fails, so
// that a read error is not taken for the end of the text.
std::variant<std::string, InputProblem> ReadBounded(std::istream& in, std::size_t capacity) {
    const std::size_t most_digits = 2 * capacity;
    const std::size_t most_characters = 4 * capacity + 4096;
    std::string text;
    std::size_t digits = 0;
    std::array<char, 4096> chunk{};
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        for (char c : std::span(chunk).first(static_cast<std::size_t>(in.gcount()))) {
            c = c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
            digits += c == ' ' ? 0 : 1;
            text.push_back(c);
        }
        if (digits > most_digits || text.size() > most_characters) {
            return InputProblem::too_long;
        }
    }
    if (in.bad()) {
        return InputProblem::unreadable;
    }
    return text;
}

// The file the loader was given and its reason for refusing it.
std::string LoadFailure(const BindingFailure& failure) {
    std::string said = failure.reason.text.empty() ? "not found" : failure.reason.text;
    // dlerror's text starts with the file it was given.
    if (said.starts_with(failure.file + ": ")) {
        said.erase(0, failure.file.size() + 2);
    }
    return failure.file + ": " + said;
}

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
    app.add_option("--library", options.library,
                   "Load this build of the library; a path with '/' is loaded as it is "
                   "(default: TAVIK_ALG, found as the window finds it)")
        ->type_name("PATH");
    app.add_flag("--spaced", options.spaced, "Separate the bytes of hex output with spaces");
}

std::string CommandNames(const CLI::App& tavik) {
    std::string names;
    for (const CLI::App* command : tavik.get_subcommands({})) {
        names += (names.empty() ? "" : ", ") + command->get_name();
    }
    return names;
}

// The first word that is neither an option nor the value of --library.
std::optional<std::string> UnknownCommand(std::span<const char* const> arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view word = arguments[i];
        if (word == "--library") {
            ++i;
        } else if (!word.starts_with("-")) {
            return std::string(word);
        }
    }
    return std::nullopt;
}

int RunTavik(std::span<const char* const> arguments, Session& session, std::ostream& out,
             std::ostream& err) {
    CLI::App tavik{Wrapped(kDescription), "tavik"};
    tavik.footer(Wrapped(kFooter));
    tavik.require_subcommand(1);
    // "/" starts a path, never an option, on Windows too.
    tavik.allow_windows_style_options(false);
    tavik.fallthrough();
    tavik.set_version_flag("--version", std::string("tavik ") + res::kFileVersion);
    AddGlobalOptions(tavik, session.options);
    AddCommands(tavik, session);
    AddVerifyCommand(tavik, session);
    try {
        tavik.parse(static_cast<int>(arguments.size()), arguments.data());
    } catch (const CLI::ParseError& error) {
        if (tavik.get_subcommands().empty() && error.get_name() == "RequiredError") {
            const auto unknown = UnknownCommand(arguments.subspan(1));
            err << (unknown ? "Unknown command '" + *unknown + "'." : "A command is required.")
                << " The commands: " << CommandNames(tavik) << ".\n";
            return kWrongUsage;
        }
        return tavik.exit(error, out, err) == 0 ? kDone : kWrongUsage;
    }
    return session.status.value_or(kWrongUsage);
}

} // namespace

HexArgument& Command::Hex(const std::string& name, const FieldSpec& rule, const std::string& help,
                          Presence presence) {
    HexArgument& argument =
        arguments_.emplace_back(HexArgument{.rule = rule, .text = {}, .option = nullptr});
    argument.option = app_.add_option(name, argument.text, help)
                          ->type_name("HEX")
                          ->required(presence == Presence::required);
    return argument;
}

void Command::TraceFlag(const std::string& help) {
    app_.add_flag("--trace", session_.options.trace, help);
}

// Standard input holds one text, so at most one argument can take it.
int Command::ReadStandardInput() {
    const auto reads_input = [](const HexArgument& a) { return a.text == kStandardInput; };
    if (std::count_if(arguments_.begin(), arguments_.end(), reads_input) > 1) {
        session_.Refuse(kStandardInputOnce);
        return kWrongUsage;
    }
    for (HexArgument& argument : arguments_) {
        if (reads_input(argument)) {
            auto text = ReadBounded(session_.in(), argument.rule.capacity);
            if (const auto* problem = std::get_if<InputProblem>(&text)) {
                return session_.Refuse(
                    *problem == InputProblem::unreadable
                        ? std::string(kInputFailed)
                        : messages::TooLong(argument.rule.label, argument.rule.capacity));
            }
            argument.text = std::get<std::string>(std::move(text));
        }
    }
    return kDone;
}

void Command::Run(std::function<int(Session&)> run) {
    app_.callback([this, run = std::move(run)] {
        const int read = ReadStandardInput();
        session_.status = read != kDone ? read : run(session_);
    });
}

void Command::RunOnBytes(std::vector<const HexArgument*> arguments,
                         std::function<int(Session&, const std::vector<Bytes>&)> run) {
    Run([arguments = std::move(arguments), run = std::move(run)](Session& session) {
        std::vector<Bytes> bytes;
        for (const HexArgument* argument : arguments) {
            auto read = ReadBytes(argument->text, argument->rule, kOddDigits);
            if (const auto* refusal = std::get_if<Refusal>(&read)) {
                return session.Refuse(refusal->message);
            }
            bytes.push_back(std::get<Bytes>(std::move(read)));
        }
        return run(session, bytes);
    });
}

const TavikAlgBinding& Session::Library() {
    if (!library_) {
        BindingResult bound = TavikAlgBinding::Bind(options.library.c_str());
        if (const auto* failure = std::get_if<BindingFailure>(&bound)) {
            err_ << failure->Message() << '\n';
            if (failure->kind == BindingFailure::Kind::library_not_loaded) {
                err_ << LoadFailure(*failure) << '\n';
            }
            out_.flush();
            err_.flush();
            std::exit(kBindingFailureStatus);
        }
        library_.emplace(std::get<TavikAlgBinding>(std::move(bound)));
    }
    return *library_;
}

Command& Session::AddCommand(CLI::App& tavik, const std::string& name, const std::string& summary,
                             std::string_view details) {
    CLI::App* app = tavik.add_subcommand(name, summary);
    app->footer(Wrapped(details) + "\n\n" + tavik.get_footer());
    AddGlobalOptions(*app, options);
    return commands_.emplace_back(*this, *app);
}

std::string Session::Hex(std::span<const std::uint8_t> bytes) const {
    return card::HexText(bytes, options.spaced);
}

int Session::Print(const card::CardOutcome& outcome) {
    const card::OutcomeText text =
        card::TextOf(outcome, {.trace = options.trace, .spaced = options.spaced});
    for (const std::string& line : text.lines) {
        out_ << line << '\n';
    }
    return text.refusal ? Refuse(*text.refusal) : kDone;
}

int Session::Print(const Outcome& outcome, card::CardOutcome trace) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        return Refuse(refusal->message);
    }
    auto* result = std::get_if<card::CardResult>(&trace);
    if (result == nullptr) {
        return Print(trace);
    }
    const Shown& shown = std::get<Shown>(outcome);
    result->Value({}, shown.data_out.value_or(Bytes{}));
    if (shown.cmac && shown.cmac != shown.data_out) {
        result->Value({}, *shown.cmac);
    }
    return Print(trace);
}

void Session::PrintLine(std::string_view line) {
    out_ << line << std::endl;
}

int Session::Refuse(std::string_view message) {
    err_ << message << '\n';
    return kRefused;
}

} // namespace orvelin::cli

int main(int argc, char* argv[]) {
    using namespace orvelin::cli;
    // The streams' own buffers, not C's: a read error on standard input then
    // fails the stream instead of reading as its end.
    std::ios::sync_with_stdio(false);
    const char* const* const arguments = argv;
    Session session(std::cin, std::cout, std::cerr);
    int status = RunTavik(std::span(arguments, static_cast<std::size_t>(argc)), session, std::cout,
                          std::cerr);
    // A result that never reached its reader is a failure, not a success.
    if (!std::cout.flush()) {
        std::cerr << kOutputFailed << '\n';
        status = kRefused;
    }
    return status;
}
