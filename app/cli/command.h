// A command: its CLI11 subcommand, and what runs it once the command line
// has been parsed.
#ifndef TAVIK_COMMAND_H
#define TAVIK_COMMAND_H

#include "library_calls.h"
#include "session.h"

#include <functional>

namespace CLI {
class App;
}

namespace orvelin::cli {

struct Command {
    CLI::App* app;
    std::function<int(Session&)> run;
};

Command AddCipherCommand(CLI::App& tavik, Direction direction);
Command AddCmacCommand(CLI::App& tavik);
Command AddKcvCommand(CLI::App& tavik);
Command AddCrc16Command(CLI::App& tavik);
Command AddCrc32Command(CLI::App& tavik);
Command AddXorCommand(CLI::App& tavik);
Command AddVerifyCommand(CLI::App& tavik);

} // namespace orvelin::cli

#endif
