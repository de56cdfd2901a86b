// What every command shares: the streams, the options given before or after
// the command's name, and the library, bound when a command first needs it.
#ifndef TAVIK_SESSION_H
#define TAVIK_SESSION_H

#include "hex_argument.h"
#include "tavik_alg_binding.h"
#include "trace.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace orvelin::cli {

struct GlobalOptions {
    std::string library = kTavikAlgFileName; // a path with '/' is loaded as it is
    bool spaced = false;
};

class Session {
  public:
    Session(const GlobalOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

    // Binds as the window does at start-up: a failure shows the window's
    // message on standard error and ends the program with the window's status.
    const TavikAlgBinding& Library();

    HexArgument Argument(std::string_view label, const std::string& argument);

    // One result per line, upper-case hex, spaced between bytes with --spaced.
    void PrintBytes(std::span<const std::uint8_t> bytes);
    void PrintTrace(const Trace& trace);
    void PrintLine(std::string_view line);
    // The final line of a trace whose result equals the export's.
    void PrintCheck(std::string_view export_name);

    // The message on standard error; the status of a refused command.
    int Refuse(std::string_view message);

  private:
    std::string Hex(std::span<const std::uint8_t> bytes) const;

    const GlobalOptions& options_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    std::optional<TavikAlgBinding> library_;
};

} // namespace orvelin::cli

#endif
