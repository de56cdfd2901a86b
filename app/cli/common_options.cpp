#include "common_options.h"

#include "cli_messages.h"

#include <algorithm>

namespace orvelin::cli {
namespace {

std::vector<std::string> NamesOf(const std::vector<CipherFacts>& ciphers) {
    std::vector<std::string> names;
    for (const auto& facts : ciphers) {
        names.emplace_back(facts.name);
    }
    return names;
}

constexpr std::size_t kHelpWidth = 79;

} // namespace

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

CLI::App* AddCommand(CLI::App& tavik, const std::string& name, const std::string& summary,
                     std::string_view details) {
    CLI::App* command = tavik.add_subcommand(name, summary);
    command->footer(Wrapped(details) + "\n\n" + tavik.get_footer());
    return command;
}

void AddCipherOption(CLI::App& command, Cipher& cipher, const std::vector<CipherFacts>& offered) {
    const std::vector<std::string> names = NamesOf(offered);
    // The check leaves the name as listed, whatever its case.
    const auto take = [&cipher, offered](const std::string& name) {
        cipher = std::find_if(offered.begin(), offered.end(), [&name](const CipherFacts& facts) {
                     return facts.name == name;
                 })->cipher;
    };
    std::string keys;
    for (const auto& facts : offered) {
        keys += std::string(keys.empty() ? "The key: " : "; ") + std::string(facts.name) + " " +
                std::string(facts.key);
    }
    command.add_option_function<std::string>("--cipher", take, keys)
        ->required()
        ->type_name(CLI::detail::join(names, "|"))
        ->check(CLI::IsMember(names, CLI::ignore_case).description(""));
}

void AddKeyOption(CLI::App& command, std::string& key) {
    command.add_option("--key", key, "The key in hex")->required()->type_name("HEX");
}

CLI::Option* AddIvOption(CLI::App& command, std::string& iv, std::string_view when) {
    return command.add_option("--iv", iv, "The IV in hex, one block: " + std::string(when))
        ->type_name("HEX");
}

void AddTraceFlag(CLI::App& command, bool& trace) {
    command.add_flag("--trace", trace,
                     "Print every step, computed with the library's block exports, and check "
                     "that they end in what the whole-message export returns");
}

void AddDataArgument(CLI::App& command, std::string& data) {
    command
        .add_option("DATA", data,
                    "The data in hex; spaces allowed (quote them), either case; - reads it from "
                    "standard input, where line breaks count as spaces")
        ->required()
        ->type_name("HEX");
}

bool PrintCheckedTrace(Session& session, const Trace& trace, std::span<const std::uint8_t> result,
                       std::string_view export_name) {
    session.PrintTrace(trace);
    if (std::equal(trace.result.begin(), trace.result.end(), result.begin(), result.end())) {
        session.PrintCheck(export_name);
        return true;
    }
    session.Refuse(messages::CheckFailed(export_name, WriteHex(trace.result), WriteHex(result)));
    return false;
}

} // namespace orvelin::cli
