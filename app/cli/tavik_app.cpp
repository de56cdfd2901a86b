#include "tavik_app.h"

#include "cli_messages.h"
#include "command.h"
#include "common_options.h"
#include "exit_status.h"
#include "version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <span>

namespace orvelin::cli {
namespace {

constexpr std::string_view kDescription =
    "tavik: the Orvelin window's cipher, MAC and checksum answers on the command line, from the "
    "same core and the same run-time-loaded TAVIK_ALG library. Hex arguments follow the "
    "window's rule: spaces allowed, either case; - reads one of them from standard input. "
    "Results are upper-case hex on standard output, one per line; refusals, with the window's "
    "messages, go to standard error.";

constexpr std::string_view kFooter =
    "Exit status: 0 done, 1 refused (or a check or record failed), 2 wrong usage, 255 the "
    "library could not be loaded or bound (with the window's message). Run 'tavik COMMAND "
    "--help' for each command.";

std::vector<Command> AddCommands(CLI::App& tavik) {
    return {AddCipherCommand(tavik, Direction::encrypt),
            AddCipherCommand(tavik, Direction::decrypt),
            AddCmacCommand(tavik),
            AddKcvCommand(tavik),
            AddCrc16Command(tavik),
            AddCrc32Command(tavik),
            AddXorCommand(tavik),
            AddVerifyCommand(tavik)};
}

void AddGlobalOptions(CLI::App& tavik, GlobalOptions& options) {
    tavik.set_version_flag("--version", std::string("tavik ") + res::kFileVersion);
    tavik
        .add_option("--library", options.library,
                    "Load this build of the library; a path with '/' is loaded as it is "
                    "(default: TAVIK_ALG, found as the window finds it)")
        ->type_name("PATH");
    tavik.add_flag("--spaced", options.spaced, "Separate the bytes of hex output with spaces");
}

// Standard input holds one text, so at most one argument can take it.
bool ReadsStandardInputOnce(std::span<const char* const> arguments) {
    return std::count(arguments.begin(), arguments.end(), kStandardInputArgument) <= 1;
}

} // namespace

int RunTavik(int argc, const char* const* argv, std::istream& in, std::ostream& out,
             std::ostream& err) {
    GlobalOptions options;
    CLI::App tavik{Wrapped(kDescription), "tavik"};
    tavik.footer(Wrapped(kFooter));
    tavik.require_subcommand(1);
    // "/" starts a path, never an option, on Windows too.
    tavik.allow_windows_style_options(false);
    // The global options may also follow the command's name.
    tavik.fallthrough();
    AddGlobalOptions(tavik, options);
    const std::vector<Command> commands = AddCommands(tavik);
    try {
        tavik.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return tavik.exit(error, out, err) == 0 ? kDone : kWrongUsage;
    }
    const std::span arguments(argv, static_cast<std::size_t>(argc));
    if (!ReadsStandardInputOnce(arguments.subspan(1))) {
        err << messages::kStandardInputOnce << '\n';
        return kWrongUsage;
    }
    Session session(options, in, out, err);
    for (const Command& command : commands) {
        if (command.app->parsed()) {
            return command.run(session);
        }
    }
    return kWrongUsage;
}

} // namespace orvelin::cli
