// The options several commands share, worded once for every --help.
#ifndef TAVIK_COMMON_OPTIONS_H
#define TAVIK_COMMON_OPTIONS_H

#include "cipher_table.h"
#include "session.h"

#include <CLI/CLI.hpp>

namespace orvelin::cli {

// Help text is printed as given: a paragraph broken into lines here.
std::string Wrapped(std::string_view text);

// A command with a one-line summary, listed by `tavik --help`, and the
// details its own --help prints below the options.
CLI::App* AddCommand(CLI::App& tavik, const std::string& name, const std::string& summary,
                     std::string_view details);

void AddCipherOption(CLI::App& command, Cipher& cipher, const std::vector<CipherFacts>& offered);
void AddKeyOption(CLI::App& command, std::string& key);
CLI::Option* AddIvOption(CLI::App& command, std::string& iv, std::string_view when);
void AddTraceFlag(CLI::App& command, bool& trace);
void AddDataArgument(CLI::App& command, std::string& data);

// The steps, then "check: equals <export>" when they end in `result`; when
// they do not, the mismatch on standard error and false.
bool PrintCheckedTrace(Session& session, const Trace& trace, std::span<const std::uint8_t> result,
                       std::string_view export_name);

} // namespace orvelin::cli

#endif
